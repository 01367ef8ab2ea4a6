# The main window's layout as data, ${PROJECT_BINARY_DIR}/layout.json
# (form/layout_facts.h says what it holds), for the tests and scripts that
# need a control's place, caption or tab order, the window's size or the
# title's question. A small program from form/ writes it at configure time,
# built with the host's own compiler (in cross builds too: the facts are the
# same everywhere), and again whenever form/ or calc/ changes.
function(improves_layout_facts out)
    set(json ${PROJECT_BINARY_DIR}/layout.json)
    set(sources form/layout_facts_main.cpp form/layout_facts.cpp form/layout.cpp)
    list(TRANSFORM sources PREPEND ${PROJECT_SOURCE_DIR}/)
    file(GLOB headers ${PROJECT_SOURCE_DIR}/form/*.h ${PROJECT_SOURCE_DIR}/calc/*.h)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sources} ${headers})
    list(APPEND headers ${PROJECT_BINARY_DIR}/calc/question.h) # made by this configure
    set(stale NO)
    foreach(input ${sources} ${headers})
        if(NOT EXISTS ${json} OR ${input} IS_NEWER_THAN ${json})
            set(stale YES)
        endif()
    endforeach()
    if(stale)
        find_program(IMPROVES_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
        set(tool ${PROJECT_BINARY_DIR}/layout_facts)
        execute_process(COMMAND ${IMPROVES_HOST_CXX} -std=c++20 -I${PROJECT_SOURCE_DIR}/form
                                -I${PROJECT_SOURCE_DIR}/calc -I${PROJECT_BINARY_DIR}/calc ${sources} -o ${tool}
                        RESULT_VARIABLE built)
        if(NOT built EQUAL 0)
            message(FATAL_ERROR "The layout's facts could not be built with ${IMPROVES_HOST_CXX}")
        endif()
        execute_process(COMMAND ${tool} OUTPUT_FILE ${json}.new RESULT_VARIABLE written)
        if(NOT written EQUAL 0)
            message(FATAL_ERROR "${tool} could not write the layout's facts")
        endif()
        file(RENAME ${json}.new ${json})
    endif()
    set(${out} ${json} PARENT_SCOPE)
endfunction()
