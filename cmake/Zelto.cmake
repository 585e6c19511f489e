# zelto_add_library(<folder> SOURCES ... DEPS ...)
# Each code folder is one static library named zelto_<folder>, included as "<folder>/Header.h".
function(zelto_add_library folder)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(zelto_${folder} STATIC ${ARG_SOURCES})
    target_include_directories(zelto_${folder} PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(zelto_${folder} PUBLIC ${ARG_DEPS})
endfunction()

# zelto_add_test(<name> SOURCES ... LIBS ... [ENV ...] [LABELS ...] [LAUNCHER <script>])
# A QtTest executable registered with CTest. Each test runs in its own empty working
# directory with its own settings location, on the offscreen platform, or started by the
# launcher script (which may choose another platform).
function(zelto_add_test name)
    cmake_parse_arguments(ARG "" "LAUNCHER" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
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
            ${ARG_LAUNCHER} $<TARGET_FILE:${name}>)
    file(MAKE_DIRECTORY ${workdir}/config ${workdir}/runtime)
    set_tests_properties(${name} PROPERTIES
        WORKING_DIRECTORY ${workdir}
        LABELS "unit;${ARG_LABELS}"
        TIMEOUT 300)
endfunction()

# zelto_add_generated_check(<name> GENERATOR <target> COMMITTED <file> [INPUTS <file>...])
# A test that regenerates a committed source with its generator and compares the two. The
# generator is run with the inputs, then the output file. A check whose inputs are not
# installed is skipped, not failed.
function(zelto_add_generated_check name)
    cmake_parse_arguments(ARG "" "GENERATOR;COMMITTED" "INPUTS" ${ARGN})
    list(JOIN ARG_INPUTS "|" inputs)
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND}
            -DGENERATOR=$<TARGET_FILE:${ARG_GENERATOR}>
            "-DINPUTS=${inputs}"
            -DCOMMITTED=${ARG_COMMITTED}
            -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/${name}.out
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckGenerated.cmake)
    set_tests_properties(${name} PROPERTIES LABELS "unit;generated" SKIP_REGULAR_EXPRESSION "is not installed; skipping")
endfunction()

# zelto_add_about_picture(<target>): the target carries the About picture as
# ":/browse/about.jpg" and ":/browse/about@2x.jpg".
function(zelto_add_about_picture target)
    set_source_files_properties(${ZELTO_ART_DIR}/about.jpg PROPERTIES GENERATED TRUE QT_RESOURCE_ALIAS about.jpg)
    set_source_files_properties(${ZELTO_ART_DIR}/about@2x.jpg PROPERTIES GENERATED TRUE QT_RESOURCE_ALIAS about@2x.jpg)
    qt_add_resources(${target} zelto_about_picture
        PREFIX /browse
        FILES ${ZELTO_ART_DIR}/about.jpg ${ZELTO_ART_DIR}/about@2x.jpg
        OUTPUT_TARGETS resource_targets)
    add_dependencies(${target} zelto_artwork_files)
    foreach(resource_target IN LISTS resource_targets)
        add_dependencies(${resource_target} zelto_artwork_files)
    endforeach()
endfunction()

# zelto_add_core_library(<name> SOURCES ... DEPS ...)
# A library of logic that needs no windows, in the folder it belongs to: it links Qt Core
# and other core libraries only. A source that names a Qt Gui or Widgets header stops the
# configuration; zelto_check_core_libraries() then checks what each one links.
function(zelto_add_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    foreach(source IN LISTS ARG_SOURCES)
        file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "<(QtGui|QtWidgets)/|<(QtGui|QtWidgets)>")
                message(FATAL_ERROR "${name} is a core library: ${source} must not include ${line}")
            endif()
        endforeach()
    endforeach()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_DEPS})
    set_property(GLOBAL APPEND PROPERTY ZELTO_CORE_LIBRARIES ${name})
endfunction()

function(zelto_collect_links target out)
    set(seen ${${out}})
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(links ${target} ${property})
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            if(TARGET ${link} AND NOT link IN_LIST seen)
                list(APPEND seen ${link})
                zelto_collect_links(${link} seen)
            endif()
        endforeach()
    endforeach()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when a core library links, directly or through another library,
# Qt Gui or Qt Widgets. Called once every library is made.
function(zelto_check_core_libraries)
    get_property(cores GLOBAL PROPERTY ZELTO_CORE_LIBRARIES)
    foreach(core IN LISTS cores)
        set(links "")
        zelto_collect_links(${core} links)
        foreach(forbidden Qt6::Gui Qt6::Widgets)
            if(forbidden IN_LIST links)
                message(FATAL_ERROR "${core} is a core library but links ${forbidden}")
            endif()
        endforeach()
    endforeach()
endfunction()
