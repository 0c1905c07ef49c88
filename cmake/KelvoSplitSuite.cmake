# kelvo_split_suite(<target> ENVIRONMENT <VAR=value...> [HOME] [COST <n>]
#                   [TIMEOUT <s>] [SLOW <function>=<cost>...] [ROWS <function>...])
#
# Registers each test function of the QtTest executable <target> as a CTest
# test of its own, "<target>:<function>", running `<target> <function>`, so
# that `ctest -j` runs the waits of one long suite side by side. QtTest runs
# initTestCase and cleanupTestCase around every such call, so each function
# starts from what the suite sets up for all of them. The data-driven
# functions named in ROWS go further: each row is a test,
# "<target>:<function>:<row>" running `<target> <function>:<row>`.
#
# Every function gets the ENVIRONMENT given, and settings (XDG_CONFIG_HOME)
# and data such as backups (XDG_DATA_HOME) of its own under
# <build>/tests/{config,data}/<target>/<function>; with HOME, a home folder
# of its own too. Functions run side by side therefore share no settings.
#
# The functions are listed after each build of <target> (`<target>
# -functions`, run on Qt's offscreen platform) into a file that ctest reads
# (TEST_INCLUDE_FILES): a fresh build registers them all, and a function
# added to the suite, or other options here, are registered by the next
# build. Before the first build the suite stands as one test
# "<target>_NOT_BUILT" that fails.
#
# COST (default 100) is each function's cost, so the longest start first
# on a build that has no timings yet; SLOW gives the slowest functions a
# cost of their own (<function>=<cost>, for each of its rows when it is in
# ROWS).
#
# kelvo_add_split_check(<name>) adds a test that fails when a function of a
# split suite is not registered (a listing older than its executable, or
# one that went missing).
#
# Where the build cannot run what it builds (cross-compiling, Windows, where
# the Qt libraries need not be on the PATH at build time), the suite stays
# one test, as add_test would make it.

set(KELVO_SPLIT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/KelvoSplitSuiteScript.cmake)

if(CMAKE_CROSSCOMPILING OR WIN32)
    set(KELVO_SPLIT_DEFAULT OFF)
else()
    set(KELVO_SPLIT_DEFAULT ON)
endif()
option(KELVO_SPLIT_SUITES "Register each function of the long test suites as a test of its own" ${KELVO_SPLIT_DEFAULT})

function(kelvo_split_suite target)
    cmake_parse_arguments(SPLIT "HOME" "COST;TIMEOUT" "ENVIRONMENT;SLOW;ROWS" ${ARGN})
    if(NOT SPLIT_COST)
        set(SPLIT_COST 100)
    endif()
    if(NOT SPLIT_TIMEOUT)
        set(SPLIT_TIMEOUT 600)
    endif()
    set(dir ${CMAKE_CURRENT_BINARY_DIR})
    set_property(GLOBAL APPEND PROPERTY KELVO_SPLIT_REGISTERED ${target})

    if(NOT KELVO_SPLIT_SUITES)
        add_test(NAME ${target} COMMAND ${target})
        set(environment ${SPLIT_ENVIRONMENT}
            "XDG_DATA_HOME=${dir}/data/${target}" "XDG_CONFIG_HOME=${dir}/config/${target}")
        if(SPLIT_HOME)
            file(MAKE_DIRECTORY ${dir}/home/${target})
            list(APPEND environment "HOME=${dir}/home/${target}")
        endif()
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${SPLIT_TIMEOUT})
        return()
    endif()

    # What the listing step needs, in a file of its own so that lists and
    # paths reach it unchanged.
    set(settings ${dir}/${target}_split_settings.cmake)
    set(listing ${dir}/${target}_split_tests.cmake)
    file(GENERATE OUTPUT ${settings} CONTENT "set(SUITE [==[${target}]==])
set(BINARY [==[$<TARGET_FILE:${target}>]==])
set(WORKING_DIRECTORY [==[${dir}]==])
set(ENVIRONMENT [==[${SPLIT_ENVIRONMENT}]==])
set(WITH_HOME ${SPLIT_HOME})
set(COST ${SPLIT_COST})
set(SLOW [==[${SPLIT_SLOW}]==])
set(ROWS [==[${SPLIT_ROWS}]==])
set(TIMEOUT ${SPLIT_TIMEOUT})
set(LISTING [==[${listing}]==])
")
    # Other settings, or another way of listing, link the suite again, and
    # so list it again.
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${settings} ${KELVO_SPLIT_SCRIPT})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DMODE=list -DSETTINGS=${settings} -P ${KELVO_SPLIT_SCRIPT}
        BYPRODUCTS ${listing}
        COMMENT "Listing the test functions of ${target}"
        VERBATIM)

    set(include ${dir}/${target}_split_include.cmake)
    file(WRITE ${include} "if(EXISTS [==[${listing}]==])
    include([==[${listing}]==])
else()
    add_test([==[${target}_NOT_BUILT]==] [==[${target}_NOT_BUILT]==])
endif()
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include})
    set_property(GLOBAL APPEND PROPERTY KELVO_SPLIT_SETTINGS ${settings})
    set_property(GLOBAL APPEND PROPERTY KELVO_SPLIT_TARGETS ${target})
endfunction()

function(kelvo_add_split_check name)
    get_property(settings GLOBAL PROPERTY KELVO_SPLIT_SETTINGS)
    get_property(targets GLOBAL PROPERTY KELVO_SPLIT_TARGETS)
    if(NOT settings)
        return()
    endif()
    string(REPLACE ";" "|" joined "${settings}")
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DMODE=check "-DSETTINGS=${joined}" -P ${KELVO_SPLIT_SCRIPT})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()
