# The layers of src/, each a library of its own:
#
#   platform -> analysis -> dictionary -> views, editor (plain C++)
#            -> ui (Qt pieces both windows use)
#            -> views/widgets, editor/widgets (Qt) -> app
#   cli beside the windows, on the plain layers only.
#
# A layer compiles against an include root of its own: a folder in the build
# tree holding, for every folder of src/ the layer may see, a link per file of
# that folder (not of its sub-folders). A header of a higher layer, or of a
# sibling, is simply not there, so including it fails to compile; a plain
# layer has no Qt include path at all. Each library publishes its root, so a
# layer above sees everything below it and its own folders besides.

set(LEXISCOOP_INCLUDE_ROOTS ${PROJECT_BINARY_DIR}/include)

# lexiscoop_include_root(<name> <folder>...)
# Makes ${LEXISCOOP_INCLUDE_ROOTS}/<name> show exactly the files of
# src/<folder> for each folder given ("views", "views/widgets", ...), and sets
# <name>_INCLUDE_ROOT in the caller to its path. The folder is made anew at
# every configure, so a folder or file dropped from a layer disappears too.
function(lexiscoop_include_root name)
  set(root ${LEXISCOOP_INCLUDE_ROOTS}/${name})
  set(folders ${ARGN})
  list(REMOVE_DUPLICATES folders)
  # Removing a link never touches what it points to.
  file(REMOVE_RECURSE ${root})
  foreach(folder IN LISTS folders)
    set(source ${PROJECT_SOURCE_DIR}/src/${folder})
    file(MAKE_DIRECTORY ${root}/${folder})
    file(GLOB files CONFIGURE_DEPENDS LIST_DIRECTORIES false
         ${source}/*.h ${source}/*.hpp ${source}/*.inc)
    foreach(file IN LISTS files)
      get_filename_component(file_name ${file} NAME)
      file(CREATE_LINK ${file} ${root}/${folder}/${file_name} SYMBOLIC)
    endforeach()
  endforeach()
  set(${name}_INCLUDE_ROOT ${root} PARENT_SCOPE)
endfunction()

# lexiscoop_layer(<target> FOLDERS <folder>... [SEES <folder>...]
#                 [LINKS <target>...] [EXCLUDE <file name>...] [QT] [PROGRAM])
# A static library (with PROGRAM, an executable) of the sources in
# src/<folder> for each of FOLDERS but the EXCLUDEd file names, compiled
# against an include root that shows FOLDERS and SEES, linked publicly to
# LINKS (the layers right below it, which bring theirs). QT turns on moc and
# rcc for the layer.
function(lexiscoop_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 layer "QT;PROGRAM" "" "FOLDERS;SEES;LINKS;EXCLUDE")
  set(sources)
  foreach(folder IN LISTS layer_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    foreach(name IN LISTS layer_EXCLUDE)
      list(FILTER found EXCLUDE REGEX "/${name}$")
    endforeach()
    list(APPEND sources ${found})
  endforeach()
  lexiscoop_include_root(${target} ${layer_SEES} ${layer_FOLDERS})
  if(layer_PROGRAM)
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE ${${target}_INCLUDE_ROOT})
  else()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${${target}_INCLUDE_ROOT})
  endif()
  target_link_libraries(${target} PUBLIC ${layer_LINKS})
  target_compile_options(${target} PRIVATE ${LEXISCOOP_WARNINGS})
  if(layer_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()
