# Runs a generator into a scratch file and fails when its output differs from the committed
# file, so a committed generated source never drifts from its generator.
#   cmake -DGENERATOR=<exe> [-DINPUTS=<file>|<file>...] -DCOMMITTED=<file> -DOUTPUT=<scratch file>
#         -P CheckGenerated.cmake
# Says "skipping" (which the test counts as skipped) when an input is not installed.
string(REPLACE "|" ";" inputs "${INPUTS}")
foreach(input IN LISTS inputs)
    if(NOT EXISTS ${input})
        message(NOTICE "${input} is not installed; skipping the check of ${COMMITTED}")
        return()
    endif()
endforeach()
execute_process(COMMAND ${GENERATOR} ${inputs} ${OUTPUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} writes now (${OUTPUT}); regenerate and commit it")
endif()
