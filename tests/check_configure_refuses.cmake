# Configures the project in a scratch folder with one setting and expects the configure step to fail
# with a message matching EXPECTED. GENERATOR is the enclosing build's (make may not be installed).
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${SCRATCH}" -G "${GENERATOR}" "${SETTING}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
file(REMOVE_RECURSE "${SCRATCH}")
string(REGEX REPLACE "[ \t\r\n]+" " " messages "${errors}") # the message is wrapped over several lines
if(result EQUAL 0)
    message(FATAL_ERROR "configuring with ${SETTING} succeeded; it should have been refused")
endif()
if(NOT messages MATCHES "${EXPECTED}")
    message(FATAL_ERROR "configuring with ${SETTING} failed without the expected message ${EXPECTED}:\n${errors}")
endif()
message(STATUS "refused as expected: ${SETTING}")
