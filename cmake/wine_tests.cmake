# Tests that run under Wine share one session per ctest run: a setup test starts a private
# Xvfb display, a fresh Wine prefix and a persistent wineserver; a cleanup test stops exactly
# those. The tests in between run one at a time, since they share the display and registry.
# Scenarios that need two monitors share a second session of their own, on Xorg's dummy driver.

cmake_path(SET DIALVANE_E2E_LIB NORMALIZE ${CMAKE_CURRENT_LIST_DIR}/../tests/e2e/lib)
set(DIALVANE_WINE_SESSION ${CMAKE_BINARY_DIR}/e2e/session.env)
set(DIALVANE_TWO_MONITOR_SESSION ${CMAKE_BINARY_DIR}/e2e/session-two-monitors.env)

# _dialvane_wine_session(fixture env_file monitors): the setup and cleanup tests of one kind.
function(_dialvane_wine_session fixture env_file monitors)
    get_property(defined GLOBAL PROPERTY DIALVANE_${fixture}_DEFINED)
    if(defined)
        return()
    endif()
    set_property(GLOBAL PROPERTY DIALVANE_${fixture}_DEFINED TRUE)
    set(name wine.session)
    if(monitors GREATER 1)
        set(name wine.two_monitor_session)
    endif()
    add_test(NAME ${name}.start
             COMMAND bash ${DIALVANE_E2E_LIB}/session.sh start ${env_file} ${monitors})
    add_test(NAME ${name}.stop COMMAND bash ${DIALVANE_E2E_LIB}/session.sh stop ${env_file})
    set_tests_properties(${name}.start PROPERTIES
        FIXTURES_SETUP ${fixture} RESOURCE_LOCK wine_display TIMEOUT 180 LABELS wine)
    set_tests_properties(${name}.stop PROPERTIES
        FIXTURES_CLEANUP ${fixture} RESOURCE_LOCK wine_display TIMEOUT 90 LABELS wine)
endfunction()

# Runs the test inside the session, alone; an empty timeout takes the default.
function(_dialvane_in_wine_session test label timeout default_timeout)
    set(fixture wine_session)
    if(ARGN STREQUAL "TWO_MONITORS")
        set(fixture wine_two_monitor_session)
        _dialvane_wine_session(${fixture} ${DIALVANE_TWO_MONITOR_SESSION} 2)
    else()
        _dialvane_wine_session(${fixture} ${DIALVANE_WINE_SESSION} 1)
    endif()
    if(NOT timeout)
        set(timeout ${default_timeout})
    endif()
    set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED ${fixture} RESOURCE_LOCK wine_display
        TIMEOUT ${timeout} LABELS "wine;${label}")
endfunction()

# dialvane_e2e_test(NAME name SCRIPT script.sh [TIMEOUT seconds] [NEEDS_PROGRAM] [TWO_MONITORS])
# One scenario script run with the session, Dialvane.exe and a folder for its screenshots.
# A scenario that drives Dialvane.exe says NEEDS_PROGRAM; it is disabled while there is none.
# One that starts with `scenario_begin --two-monitors` says TWO_MONITORS.
function(dialvane_e2e_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "NEEDS_PROGRAM;TWO_MONITORS" "NAME;SCRIPT;TIMEOUT" "")
    if(NOT arg_NAME OR NOT arg_SCRIPT)
        message(FATAL_ERROR "dialvane_e2e_test needs NAME and SCRIPT")
    endif()
    cmake_path(ABSOLUTE_PATH arg_SCRIPT BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    set(test e2e.${arg_NAME})
    add_test(NAME ${test} COMMAND bash ${arg_SCRIPT})
    set(program "")
    if(TARGET Dialvane)
        set(program $<TARGET_FILE:Dialvane>)
    elseif(arg_NEEDS_PROGRAM)
        set_tests_properties(${test} PROPERTIES DISABLED TRUE)
    endif()
    set(session ${DIALVANE_WINE_SESSION})
    set(kind "")
    if(arg_TWO_MONITORS)
        set(session ${DIALVANE_TWO_MONITOR_SESSION})
        set(kind TWO_MONITORS)
    endif()
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
        "DIALVANE_SESSION=${session};DIALVANE_EXE=${program};\
E2E_ARTIFACTS=${CMAKE_BINARY_DIR}/e2e/artifacts/${arg_NAME}")
    _dialvane_in_wine_session(${test} e2e "${arg_TIMEOUT}" 60 ${kind})
endfunction()

# dialvane_wine_test(NAME name TARGET target [TIMEOUT seconds] [ARGS arguments...])
# A cross-built test program (GoogleTest) run under Wine; it may open windows.
function(dialvane_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;TARGET;TIMEOUT" "ARGS")
    if(NOT arg_NAME OR NOT arg_TARGET)
        message(FATAL_ERROR "dialvane_wine_test needs NAME and TARGET")
    endif()
    set(test wine.${arg_NAME})
    add_test(NAME ${test}
             COMMAND bash ${DIALVANE_E2E_LIB}/wine_run.sh ${DIALVANE_WINE_SESSION}
                     $<TARGET_FILE:${arg_TARGET}> --gtest_color=no ${arg_ARGS})
    _dialvane_in_wine_session(${test} win32 "${arg_TIMEOUT}" 120)
endfunction()

# GoogleTest built for MinGW from the Debian sources (package googletest), outside -Werror.
function(dialvane_googletest)
    if(TARGET gtest)
        return()
    endif()
    set(source /usr/src/googletest)
    if(NOT EXISTS ${source}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources missing in ${source}: apt-get install googletest")
    endif()
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${source} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()
