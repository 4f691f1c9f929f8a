# Runs one scenario through arphost and compares the output with its golden file byte for
# byte. With ARP_UPDATE_GOLDEN=1 in the environment it rewrites the golden file instead.
# Inputs: ARPHOST, SCENARIO, EXPECTED, ACTUAL.
execute_process(COMMAND ${ARPHOST} ${SCENARIO}
                OUTPUT_FILE ${ACTUAL}
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "arphost exited with ${status} on ${SCENARIO}:\n${errors}")
endif()

if("$ENV{ARP_UPDATE_GOLDEN}" STREQUAL "1")
    file(COPY_FILE ${ACTUAL} ${EXPECTED})
    message(STATUS "rewrote ${EXPECTED}")
    return()
endif()

if(NOT EXISTS ${EXPECTED})
    message(FATAL_ERROR "no golden file ${EXPECTED}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED}
                RESULT_VARIABLE differs)
if(differs)
    # One record per line, so that the diff points at the record rather than the whole call.
    foreach(side EXPECTED ACTUAL)
        file(READ ${${side}} text)
        string(REPLACE "},{" "},\n  {" text "${text}")
        string(REPLACE "\"out\":[{" "\"out\":[\n  {" text "${text}")
        file(WRITE ${ACTUAL}.${side}.split "${text}")
    endforeach()
    find_program(DIFF_PROGRAM diff)
    if(DIFF_PROGRAM)
        execute_process(COMMAND ${DIFF_PROGRAM} -u ${ACTUAL}.EXPECTED.split ${ACTUAL}.ACTUAL.split)
    endif()
    message(FATAL_ERROR "arphost output differs from ${EXPECTED} (actual: ${ACTUAL})")
endif()
