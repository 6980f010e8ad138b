# Script mode: regenerates the factory bank with TOOL from SOURCE into OUTPUT and fails unless it
# is byte for byte the committed EXPECTED file.
execute_process(COMMAND ${TOOL} ${SOURCE} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_factory_bank failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${EXPECTED} is not what ${SOURCE} describes; regenerate it with make_factory_bank")
endif()
