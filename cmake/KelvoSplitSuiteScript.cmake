# The steps of kelvo_split_suite (KelvoSplitSuite.cmake), run as scripts:
#
#   cmake -DMODE=list -DSETTINGS=<target>_split_settings.cmake -P KelvoSplitSuiteScript.cmake
#       after each build of the suite: its functions (and the rows of those
#       named in ROWS) as CTest tests, one each, into the listing that ctest
#       includes;
#   cmake -DMODE=check -DSETTINGS=<settings>|<settings>... -P KelvoSplitSuiteScript.cmake
#       as a test: fails when a suite has a function (or row) its listing
#       lacks, or the listing names one the suite no longer has.
cmake_minimum_required(VERSION 3.16)

# kelvo_suite_functions(<variable>): the test functions the suite's
# executable names with -functions, in its order.
function(kelvo_suite_functions variable)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ENVIRONMENT} ${BINARY} -functions
        WORKING_DIRECTORY ${WORKING_DIRECTORY}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${BINARY} -functions failed (${status}):\n${out}${err}")
    endif()
    string(REPLACE "\r" "" out "${out}")
    string(REGEX MATCHALL "[^\n]+" lines "${out}")
    set(functions)
    foreach(line IN LISTS lines)
        if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
            list(APPEND functions ${CMAKE_MATCH_1})
        else()
            message(FATAL_ERROR "${BINARY} -functions printed a line that names no function: ${line}")
        endif()
    endforeach()
    if(NOT functions)
        message(FATAL_ERROR "${BINARY} -functions named no function")
    endif()
    set(${variable} ${functions} PARENT_SCOPE)
endfunction()

# kelvo_suite_tests(<variable>): what is to be a test of its own, in the
# suite's order: "<function>", or "<function>:<row>" for each data row of a
# function named in ROWS (`<suite> -datatags` prints "<class> <function>
# <row>" for each).
function(kelvo_suite_tests variable)
    kelvo_suite_functions(functions)
    set(rows)
    if(ROWS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ENVIRONMENT} ${BINARY} -datatags
            WORKING_DIRECTORY ${WORKING_DIRECTORY}
            OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "${BINARY} -datatags failed (${status}):\n${out}${err}")
        endif()
        string(REPLACE "\r" "" out "${out}")
        string(REGEX MATCHALL "[^\n]+" rows "${out}")
    endif()
    set(tests)
    foreach(function IN LISTS functions)
        if(NOT function IN_LIST ROWS)
            list(APPEND tests ${function})
            continue()
        endif()
        set(found FALSE)
        foreach(line IN LISTS rows)
            if(line MATCHES "^[A-Za-z_][A-Za-z0-9_]* ${function} (.+)$")
                set(row "${CMAKE_MATCH_1}")
                if(row MATCHES "[]:]|__global__")
                    message(FATAL_ERROR "${SUITE} ${function}: the row \"${row}\" cannot be named on its own")
                endif()
                list(APPEND tests "${function}:${row}")
                set(found TRUE)
            endif()
        endforeach()
        if(NOT found)
            message(FATAL_ERROR "${SUITE} ${function} is to be split by rows but has none")
        endif()
    endforeach()
    set(${variable} ${tests} PARENT_SCOPE)
endfunction()

# kelvo_listed_tests(<variable>): what the listing registers, named as
# kelvo_suite_tests names it.
function(kelvo_listed_tests variable)
    set(tests)
    if(EXISTS ${LISTING})
        file(STRINGS ${LISTING} lines REGEX "^add_test\\(")
        foreach(line IN LISTS lines)
            if(line MATCHES "^add_test\\(\\[==\\[${SUITE}:([^]]+)\\]==\\]")
                list(APPEND tests "${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endif()
    set(${variable} ${tests} PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "list")
    include(${SETTINGS})
    kelvo_suite_tests(tests)
    set(content "# Written after each build of ${SUITE} by ${CMAKE_CURRENT_LIST_FILE}.\n")
    foreach(test IN LISTS tests)
        set(name "${SUITE}:${test}")
        string(REGEX REPLACE ":.*" "" function "${test}")
        # A folder of its own: the row's name with only letters, digits
        # and "_".
        string(MAKE_C_IDENTIFIER "${test}" folder)
        set(environment ${ENVIRONMENT}
            "XDG_DATA_HOME=${WORKING_DIRECTORY}/data/${SUITE}/${folder}"
            "XDG_CONFIG_HOME=${WORKING_DIRECTORY}/config/${SUITE}/${folder}")
        if(WITH_HOME)
            set(home ${WORKING_DIRECTORY}/home/${SUITE}/${folder})
            file(MAKE_DIRECTORY ${home})
            list(APPEND environment "HOME=${home}")
        endif()
        set(cost ${COST})
        foreach(slow IN LISTS SLOW)
            if(slow MATCHES "^${function}=([0-9]+)$")
                set(cost ${CMAKE_MATCH_1})
            endif()
        endforeach()
        string(APPEND content
            "add_test([==[${name}]==] [==[${BINARY}]==] [==[${test}]==])\n"
            "set_tests_properties([==[${name}]==] PROPERTIES"
            " WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==]"
            " ENVIRONMENT [==[${environment}]==]"
            " LABELS [==[${SUITE}]==] TIMEOUT ${TIMEOUT} COST ${cost})\n")
    endforeach()
    set(old "")
    if(EXISTS ${LISTING})
        file(READ ${LISTING} old)
    endif()
    if(NOT old STREQUAL content)
        file(WRITE ${LISTING} "${content}")
    endif()
elseif(MODE STREQUAL "check")
    string(REPLACE "|" ";" all_settings "${SETTINGS}")
    set(problems)
    foreach(settings IN LISTS all_settings)
        set(ROWS)
        include(${settings})
        kelvo_suite_tests(tests)
        kelvo_listed_tests(listed)
        foreach(test IN LISTS tests)
            if(NOT test IN_LIST listed)
                list(APPEND problems "${SUITE}:${test} is not registered")
            endif()
        endforeach()
        foreach(test IN LISTS listed)
            if(NOT test IN_LIST tests)
                list(APPEND problems "${SUITE}:${test} is registered but ${SUITE} has no such function or row")
            endif()
        endforeach()
        list(LENGTH tests count)
        message(STATUS "${SUITE}: ${count} tests of its own")
    endforeach()
    if(problems)
        list(JOIN problems "\n  " text)
        message(FATAL_ERROR "Split suites out of step with their listings (build the suites again):\n  ${text}")
    endif()
else()
    message(FATAL_ERROR "MODE must be list or check")
endif()
