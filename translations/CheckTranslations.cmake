# Runs lupdate over SOURCES into copies of TS_FILES (in WORK) and fails when a copy has an
# entry without a finished translation (a text new in the code, or left unfinished) or an
# entry for a text the code no longer has (vanished or obsolete).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(failed "")
foreach(ts ${TS_FILES})
    get_filename_component(name ${ts} NAME)
    configure_file(${ts} ${WORK}/${name} COPYONLY)
    execute_process(COMMAND ${LUPDATE} -silent -locations none -extensions cpp,h -I ${INCLUDE} ${SOURCES}
        -ts ${WORK}/${name} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}:\n${out}")
    endif()
    file(READ ${WORK}/${name} updated)
    # Entities end in ";", which would split CMake's lists.
    string(REPLACE ";" "&semi" updated "${updated}")
    # Each entry, with the state of its translation.
    string(REGEX MATCHALL
        "<source>[^<]*</source>[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*<translation[^>]*>"
        entries "${updated}")
    string(REGEX MATCHALL "<message[ >]" messages "${updated}")
    set(count 0)
    foreach(entry IN LISTS entries)
        math(EXPR count "${count} + 1")
        if(entry MATCHES "type=\"(unfinished|vanished|obsolete)\"")
            set(state ${CMAKE_MATCH_1})
            string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" text "${entry}")
            string(APPEND failed "\n  ${name}: ${state}: ${text}")
        endif()
    endforeach()
    list(LENGTH messages expected)
    if(count EQUAL 0 OR NOT count EQUAL expected)
        string(APPEND failed "\n  ${name}: ${count} of its ${expected} entries could be read")
    endif()
    message(STATUS "${name}: ${count} entries")
endforeach()
if(failed)
    message(FATAL_ERROR "Translations are not complete (run the update_translations target, "
        "then translate):${failed}")
endif()
