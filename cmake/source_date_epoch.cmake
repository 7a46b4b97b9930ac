# The one time every release output carries: SOURCE_DATE_EPOCH from the environment, else the
# time of the last commit, so two builds of one commit agree whenever and wherever they run.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(DIALVANE_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE DIALVANE_SOURCE_DATE_EPOCH
                        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # A new commit configures anew, so the time follows it.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(git_dir AND EXISTS ${git_dir}/logs/HEAD)
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
        endif()
    endif()
    if(NOT DIALVANE_SOURCE_DATE_EPOCH)
        # Sources without their history: the time of the file that names the release.
        file(TIMESTAMP ${CMAKE_SOURCE_DIR}/CMakeLists.txt DIALVANE_SOURCE_DATE_EPOCH "%s" UTC)
    endif()
endif()
if(NOT DIALVANE_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$" OR DIALVANE_SOURCE_DATE_EPOCH LESS 315532800)
    # Zip entries cannot hold a time before 1980.
    message(FATAL_ERROR "SOURCE_DATE_EPOCH '${DIALVANE_SOURCE_DATE_EPOCH}' is no time after 1980")
endif()
message(STATUS "Release time (SOURCE_DATE_EPOCH): ${DIALVANE_SOURCE_DATE_EPOCH}")
