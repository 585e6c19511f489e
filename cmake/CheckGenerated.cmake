# Runs a generator into a scratch file and fails when its output differs from the committed
# file, so a committed generated source never drifts from its generator.
#   cmake -DGENERATOR=<exe> -DCOMMITTED=<file> -DOUTPUT=<scratch file> -P CheckGenerated.cmake
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} writes now (${OUTPUT}); regenerate and commit it")
endif()
