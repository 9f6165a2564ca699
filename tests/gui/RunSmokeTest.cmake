# Runs the window program under xvfb-run in a program folder of its own with
# the fixture dictionary packed by lexiscoop-cli: load a text, Extract, close.
#   -DPROGRAM= -DCLI= -DFOLDER= -DDATA= -DTEXT= -DXVFB_RUN=
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER} ${FOLDER}/config)
file(COPY ${PROGRAM} DESTINATION ${FOLDER})
get_filename_component(program_name ${PROGRAM} NAME)

foreach(pair "cli_dictionary.txt;LxScoop.dat" "cli_basic.txt;LXBasics.dat" "cli_junior.txt;LXJunior.dat"
             "cli_general.txt;LXGeneral.dat")
  list(GET pair 0 source)
  list(GET pair 1 target)
  execute_process(COMMAND ${CLI} dict pack ${DATA}/${source} ${FOLDER}/${target} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot pack ${source}")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${FOLDER}/config QT_QPA_PLATFORM=xcb
          ${XVFB_RUN} -a -s "-screen 0 1024x768x24"
          ${FOLDER}/${program_name} --smoke-test ${TEXT} --screenshot ${FOLDER}/window.png
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 90)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "smoke test failed (${rc}): ${err}")
endif()
if(NOT out MATCHES "語 .*min.*sec")
  message(FATAL_ERROR "no analysis summary in: ${out}")
endif()
if(NOT EXISTS ${FOLDER}/config/lexiscoop.ini)
  message(FATAL_ERROR "the settings were not written on close")
endif()

# A text that is not there is a failed smoke test, with the reason on stderr.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${FOLDER}/config QT_QPA_PLATFORM=xcb
          ${XVFB_RUN} -a -s "-screen 0 1024x768x24"
          ${FOLDER}/${program_name} --smoke-test ${FOLDER}/no/such/file
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 90)
if(rc EQUAL 0)
  message(FATAL_ERROR "the smoke test of a missing file passed: ${out}${err}")
endif()
if(NOT err MATCHES "cannot read .*no/such/file")
  message(FATAL_ERROR "the smoke test of a missing file gave no reason (${rc}): ${err}")
endif()
