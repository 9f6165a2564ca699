# The Debian package (cpack -G DEB, see scripts/package):
#
#   /usr/lib/lexiscoop/      the two programs, the shipped data, help pages,
#                            licences and icon: the program folder
#   /usr/bin/lexiscoop, /usr/bin/lexiscoop-cli   links into it
#   /usr/share/applications/lexiscoop.desktop
#   /usr/share/icons/hicolor/scalable/apps/lexiscoop.svg
#
# The package's files form the install component "debian", left out of a
# plain `cmake --install`, which keeps its own layout (<prefix>/lexiscoop).
# Users cannot write to /usr/lib/lexiscoop, so the program keeps their my…
# files in $XDG_DATA_HOME/lexiscoop (platform/UserDataFolder.h).

if(NOT TARGET lexiscoop OR NOT TARGET lexiscoop-cli)
  return()
endif()

set(package_folder lib/lexiscoop)
set(package_component COMPONENT debian EXCLUDE_FROM_ALL)

install(TARGETS lexiscoop lexiscoop-cli RUNTIME DESTINATION ${package_folder} ${package_component})
foreach(name IN LISTS LEXISCOOP_DATA_FILES)
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/${name})
    install(FILES ${PROJECT_SOURCE_DIR}/data/${name} DESTINATION ${package_folder} ${package_component})
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${package_folder}/help ${package_component})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/licenses/ DESTINATION ${package_folder}/licenses ${package_component})
set(package_icon ${PROJECT_SOURCE_DIR}/src/app/resources/icons/lexiscoop.svg)
install(FILES ${package_icon} DESTINATION ${package_folder} ${package_component})
install(FILES ${package_icon} DESTINATION share/icons/hicolor/scalable/apps ${package_component})

# The desktop entry names the installed program and the themed icon.
set(LEXISCOOP_FOLDER /usr/${package_folder})
set(LEXISCOOP_PROGRAM /usr/${package_folder}/lexiscoop)
set(LEXISCOOP_ICON lexiscoop)
configure_file(${PROJECT_SOURCE_DIR}/src/app/resources/lexiscoop.desktop.in
               ${PROJECT_BINARY_DIR}/package/lexiscoop.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/lexiscoop.desktop DESTINATION share/applications ${package_component})

# Relative links, so that the tree works wherever it is unpacked.
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${bin}\")
  foreach(program lexiscoop lexiscoop-cli)
    file(CREATE_LINK ../${package_folder}/\${program} \"\${bin}/\${program}\" SYMBOLIC)
  endforeach()
" ${package_component})

# Packaging installs into a staging folder; it must not build every test
# first, only what the package holds (scripts/package builds that).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexiscoop)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only the component "debian" of this build tree goes into the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English word picker for Japanese learners and teachers of English")
set(CPACK_PACKAGE_DESCRIPTION "Lexiscoop (レキシスクープ 単語拾い) picks the English words out of a Shift-JIS or \
UTF-8 text, counts them, resolves inflected spellings to headwords and classifies every word by learner \
level (基本, 中学, 大学受験, 一般): the window program lexiscoop and the command-line tool lexiscoop-cli.")
set(CPACK_PACKAGE_CONTACT "Lexiscoop project <lexiscoop@localhost>")
set(CPACK_DEBIAN_FILE_NAME "lexiscoop_${PROJECT_VERSION}_amd64.deb")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt's xcb platform plugin and SVG icon
# engine come with libqt6gui6 and libqt6svg6), the Japanese translations of
# Qt's standard dialogs and a Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6charts6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6opengl6 (>= 6.4), libqt6openglwidgets6 (>= 6.4), libqt6dbus6 (>= 6.4), libxlsxwriter4, libzip4, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
include(CPack)
