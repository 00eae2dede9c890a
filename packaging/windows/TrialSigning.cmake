# Run by CPack before it makes each Windows package (CPACK_PRE_BUILD_SCRIPTS) when the build signs: a trial
# signing of the program it is packaging, so that a key, password, PIN, token or time-stamp server that
# fails stops cpack with the reason. makensis signs the installer too, but what its signing command says
# ends up only in makensis's log.
execute_process(COMMAND "${CPACK_PQ_SIGN_COMMAND}" --trial "${CPACK_TEMPORARY_DIRECTORY}/pindlequorix.exe"
                RESULT_VARIABLE status ERROR_VARIABLE problem)
if(NOT status EQUAL 0)
    string(REGEX MATCH "Signing failed: [^\n]*" problem "${problem}")
    message(FATAL_ERROR "${problem}")
endif()
