# Builds TARGET in BUILD_DIR and compares the compiler's verdict with SOURCE's first line:
# "// refused: REASON" wants the build to fail with REASON in the compiler's output; any other
# first line wants it to succeed.
file(STRINGS ${SOURCE} first_line LIMIT_COUNT 1)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(first_line MATCHES "^// refused: (.+)$")
    set(reason "${CMAKE_MATCH_1}")
    string(FIND "${output}" "${reason}" at)
    if(status EQUAL 0)
        message(FATAL_ERROR "${SOURCE} built, but must be refused for: ${reason}")
    elseif(at EQUAL -1)
        message(FATAL_ERROR "${SOURCE} was refused, but not for: ${reason}\n${output}")
    endif()
    # The compiler's line that gives the reason, for the log.
    string(SUBSTRING "${output}" 0 ${at} before)
    string(FIND "${before}" "\n" line_start REVERSE)
    math(EXPR line_start "${line_start} + 1")
    string(SUBSTRING "${output}" ${line_start} -1 rest)
    string(FIND "${rest}" "\n" line_end)
    string(SUBSTRING "${rest}" 0 ${line_end} line)
    message(STATUS "refused as it must be: ${line}")
elseif(NOT status EQUAL 0)
    message(FATAL_ERROR "${SOURCE} must build:\n${output}")
else()
    message(STATUS "built as it must")
endif()
