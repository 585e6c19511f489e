# zelto_add_library(<folder> SOURCES ... DEPS ...)
# Each code folder is one static library named zelto_<folder>, included as "<folder>/Header.h".
function(zelto_add_library folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(zelto_${folder} STATIC ${ARG_SOURCES})
    target_include_directories(zelto_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(zelto_${folder} PUBLIC ${ARG_DEPS})
endfunction()

# zelto_add_test(<name> SOURCES ... LIBS ... [ENV ...] [LABELS ...])
# A QtTest executable registered with CTest. Each test runs in its own empty working
# directory with its own settings location, on the offscreen platform.
function(zelto_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -E env
            QT_QPA_PLATFORM=offscreen
            XDG_CONFIG_HOME=${workdir}/config
            XDG_DATA_HOME=${workdir}/data
            XDG_RUNTIME_DIR=${workdir}/runtime
            ${ARG_ENV}
            $<TARGET_FILE:${name}>)
    file(MAKE_DIRECTORY ${workdir}/config ${workdir}/runtime)
    set_tests_properties(${name} PROPERTIES
        WORKING_DIRECTORY ${workdir}
        LABELS "unit;${ARG_LABELS}"
        TIMEOUT 300)
endfunction()

# zelto_add_generated_check(<name> GENERATOR <target> COMMITTED <file>)
# A test that regenerates a committed source with its generator and compares the two.
function(zelto_add_generated_check name)
    cmake_parse_arguments(ARG "" "GENERATOR;COMMITTED" "" ${ARGN})
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND}
            -DGENERATOR=$<TARGET_FILE:${ARG_GENERATOR}>
            -DCOMMITTED=${ARG_COMMITTED}
            -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/${name}.out
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckGenerated.cmake)
    set_tests_properties(${name} PROPERTIES LABELS "unit;generated")
endfunction()
