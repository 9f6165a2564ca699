# Builds the Debian package from the built tree (cpack, no rebuild), checks
# its contents and dependencies, unpacks it with dpkg -x and runs both
# programs from there; then checks that a user who cannot write to the
# program folder gets the my… files in $XDG_DATA_HOME/lexiscoop.
#   -DBUILD= -DFOLDER= -DVERSION= -DTEXT=
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG dpkg)
if(NOT DPKG_DEB OR NOT DPKG)
  message("SKIPPED: dpkg-deb is missing, so the Debian package cannot be built or checked")
  return()
endif()

function(run)
  cmake_parse_arguments(RUN "" "WORKING_DIRECTORY;OUTPUT" "COMMAND" ${ARGN})
  if(NOT RUN_WORKING_DIRECTORY)
    set(RUN_WORKING_DIRECTORY ${FOLDER})
  endif()
  execute_process(COMMAND ${RUN_COMMAND} WORKING_DIRECTORY ${RUN_WORKING_DIRECTORY}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${RUN_COMMAND}\n${out}${err}")
  endif()
  if(RUN_OUTPUT)
    set(${RUN_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

function(expect_in text what)
  foreach(item IN LISTS ARGN)
    string(FIND "${text}" "${item}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what} lacks «${item}»:\n${text}")
    endif()
  endforeach()
endfunction()

if(EXISTS ${FOLDER})
  execute_process(COMMAND chmod -R u+w ${FOLDER})
endif()
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})

# The package, from the tree as it is built.
run(COMMAND cpack -G DEB -B ${FOLDER}/out --config ${BUILD}/CPackConfig.cmake WORKING_DIRECTORY ${BUILD})
set(deb ${FOLDER}/out/lexiscoop_${VERSION}_amd64.deb)
if(NOT EXISTS ${deb})
  file(GLOB made ${FOLDER}/out/*.deb)
  message(FATAL_ERROR "no ${deb}; made: ${made}")
endif()

run(COMMAND ${DPKG_DEB} --contents ${deb} OUTPUT contents)
set(program_folder ./usr/lib/lexiscoop)
expect_in("${contents}" "the package"
  " ${program_folder}/lexiscoop\n" " ${program_folder}/lexiscoop-cli\n"
  " ${program_folder}/LxScoop.dat\n" " ${program_folder}/LXBasics.dat\n" " ${program_folder}/LXJunior.dat\n"
  " ${program_folder}/LXToUnuvercity.dat\n" " ${program_folder}/LXGeneral.dat\n" " ${program_folder}/LxGloss.dat\n"
  " ${program_folder}/LxTagger.dat\n"
  " ${program_folder}/help/lxindex.html\n" " ${program_folder}/help/lxedit.html\n"
  " ${program_folder}/licenses/EDICT.txt\n"
  " ./usr/bin/lexiscoop -> ../lib/lexiscoop/lexiscoop\n"
  " ./usr/bin/lexiscoop-cli -> ../lib/lexiscoop/lexiscoop-cli\n"
  " ./usr/share/applications/lexiscoop.desktop\n"
  " ./usr/share/icons/hicolor/scalable/apps/lexiscoop.svg\n")
foreach(stray "_test" "_bench" "./usr/lexiscoop/" "myLxScoop.dat")
  string(FIND "${contents}" "${stray}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the package holds «${stray}»:\n${contents}")
  endif()
endforeach()

run(COMMAND ${DPKG_DEB} --field ${deb} Package Version Architecture Depends OUTPUT fields)
expect_in("${fields}" "the control fields"
  "Package: lexiscoop\n" "Version: ${VERSION}\n" "Architecture: amd64\n"
  "libqt6widgets6" "libqt6charts6" "libqt6printsupport6" "libqt6svg6" "libxlsxwriter4" "libzip4"
  "qt6-translations-l10n" "fonts-ipafont-gothic | fonts-noto-cjk")

# Unpacked, both programs run from there, found through the links.
set(root ${FOLDER}/root)
run(COMMAND ${DPKG} -x ${deb} ${root})
file(READ ${root}/usr/share/applications/lexiscoop.desktop entry)
expect_in("${entry}" "the desktop entry" "Exec=\"/usr/lib/lexiscoop/lexiscoop\"\n" "Icon=lexiscoop\n"
          "Path=/usr/lib/lexiscoop\n")

file(MAKE_DIRECTORY ${FOLDER}/elsewhere ${FOLDER}/config ${FOLDER}/home)
file(COPY ${TEXT} DESTINATION ${FOLDER}/elsewhere)
get_filename_component(text_name ${TEXT} NAME)
set(env ${CMAKE_COMMAND} -E env HOME=${FOLDER}/home XDG_CONFIG_HOME=${FOLDER}/config
        XDG_DATA_HOME=${FOLDER}/xdg QT_QPA_PLATFORM=offscreen)
run(COMMAND ${env} ${root}/usr/bin/lexiscoop-cli dict lookup dogs WORKING_DIRECTORY ${FOLDER}/elsewhere OUTPUT lookup)
expect_in("${lookup}" "dict lookup" "dog")
run(COMMAND ${env} ${root}/usr/bin/lexiscoop-cli report ${text_name} WORKING_DIRECTORY ${FOLDER}/elsewhere
    OUTPUT report)
string(LENGTH "${report}" report_length)
if(report_length LESS 100)
  message(FATAL_ERROR "a short report:\n${report}")
endif()
run(COMMAND ${env} ${root}/usr/bin/lexiscoop --smoke-test ${text_name} WORKING_DIRECTORY ${FOLDER}/elsewhere
    OUTPUT smoke)
message("${smoke}")

# A user who cannot write to the program folder: the my… files go to
# $XDG_DATA_HOME/lexiscoop, and are read before the shipped ones.
set(program ${root}/usr/lib/lexiscoop)
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
find_program(SETPRIV setpriv)
set(as_user)
if(uid STREQUAL "0")
  if(NOT SETPRIV)
    message("not tested as another user: root writes anywhere and setpriv is missing")
    return()
  endif()
  # nobody reads the unpacked tree and writes only to its own folders.
  file(MAKE_DIRECTORY ${FOLDER}/xdg)
  execute_process(COMMAND chown -R 65534:65534 ${FOLDER}/xdg ${FOLDER}/home ${FOLDER}/config)
  execute_process(COMMAND chmod -R a+rX ${root} ${FOLDER}/elsewhere)
  set(as_user ${SETPRIV} --reuid=65534 --regid=65534 --clear-groups)
endif()
execute_process(COMMAND chmod -R a-w ${program})
run(COMMAND ${as_user} ${env} ${root}/usr/bin/lexiscoop-cli dict record zyzzyvas --forms zyzzyvae --level 1
    WORKING_DIRECTORY ${FOLDER}/elsewhere)
run(COMMAND ${as_user} ${env} ${root}/usr/bin/lexiscoop-cli dict gloss zyzzyvas "ゾウムシ"
    WORKING_DIRECTORY ${FOLDER}/elsewhere)
foreach(name myLxScoop.dat myLXBasics.dat myLxGloss.dat)
  if(NOT EXISTS ${FOLDER}/xdg/lexiscoop/${name})
    file(GLOB made ${FOLDER}/xdg/lexiscoop/*)
    message(FATAL_ERROR "no ${name} in XDG_DATA_HOME/lexiscoop; there: ${made}")
  endif()
  if(EXISTS ${program}/${name})
    message(FATAL_ERROR "${name} was written into the program folder")
  endif()
endforeach()
run(COMMAND ${as_user} ${env} ${root}/usr/bin/lexiscoop-cli dict lookup zyzzyvae
    WORKING_DIRECTORY ${FOLDER}/elsewhere OUTPUT mine)
expect_in("${mine}" "dict lookup of the user's headword" "zyzzyvas" "基本" "ゾウムシ")
execute_process(COMMAND chmod -R u+w ${program})
