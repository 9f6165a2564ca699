# Installs the build into a folder of its own and checks that program, data
# files, help pages, icon and desktop entry land where they belong; then
# starts the installed program from another folder under xvfb-run, which
# finds its data only if it works in its own folder.
#   -DBUILD= -DFOLDER= -DTEXT= [-DXVFB_RUN=]
file(REMOVE_RECURSE ${FOLDER})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${FOLDER}/prefix
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(program_folder ${FOLDER}/prefix/lexiscoop)
foreach(name lexiscoop LxScoop.dat LXBasics.dat LXJunior.dat LXToUnuvercity.dat LXGeneral.dat LxGloss.dat LxTagger.dat
             help/lxindex.html help/lxedit.html lexiscoop.svg lexiscoop.desktop
             licenses/EDICT.txt)
  if(NOT EXISTS ${program_folder}/${name})
    message(FATAL_ERROR "not installed: ${program_folder}/${name}")
  endif()
endforeach()

set(entry ${FOLDER}/prefix/share/applications/lexiscoop.desktop)
if(NOT EXISTS ${entry})
  message(FATAL_ERROR "no desktop entry in share/applications")
endif()
file(READ ${entry} text)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=\"${program_folder}/lexiscoop\""
             "Icon=${program_folder}/lexiscoop.svg" "Path=${program_folder}")
  string(FIND "${text}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}:\n${text}")
  endif()
endforeach()
if(text MATCHES "@")
  message(FATAL_ERROR "the desktop entry keeps a placeholder:\n${text}")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${entry} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()

if(XVFB_RUN)
  file(MAKE_DIRECTORY ${FOLDER}/elsewhere ${FOLDER}/config)
  # A private copy: the program locks the text it reads, and other tests may
  # be reading the same file.
  file(COPY ${TEXT} DESTINATION ${FOLDER}/elsewhere)
  get_filename_component(text_name ${TEXT} NAME)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${FOLDER}/config QT_QPA_PLATFORM=xcb
            ${XVFB_RUN} -a -s "-screen 0 1024x768x24" ${program_folder}/lexiscoop --smoke-test ${text_name}
    WORKING_DIRECTORY ${FOLDER}/elsewhere
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 90)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed program failed (${rc}): ${out}${err}")
  endif()
  message("${out}")
endif()
