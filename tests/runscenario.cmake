# Runs one scenario script (RUNNER_OPTIONS: more options of the runner, separated by blanks); fails on a non-zero exit or, where an
# expected transcript exists, on any difference.
separate_arguments(options UNIX_COMMAND "${RUNNER_OPTIONS}")
execute_process(COMMAND ${RUNNER} --spreadsheet ${BACKEND} ${options} --today 2026-12-7 ${SCRIPT}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
message("${output}${errors}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "mixdesign-script exited with ${status}")
endif()
if(EXISTS ${EXPECTED})
    file(READ ${EXPECTED} expected)
    if(NOT output STREQUAL expected)
        message(FATAL_ERROR "transcript differs from ${EXPECTED}")
    endif()
endif()
