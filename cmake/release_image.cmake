# A release executable as Wine maps it best: no debug sections (the static runtime brings
# some, and Wine reads every section into private memory) and sections aligned to pages in
# the file, so the loader maps them from the file instead of copying them. Its PE time stamp
# is the release time, which the linker takes from SOURCE_DATE_EPOCH, not the clock.
function(dialvane_release_image target)
    target_link_options(${target} PRIVATE
        $<$<CONFIG:Release>:-s> $<$<CONFIG:Release>:-Wl,--file-alignment,4096>)
    set_target_properties(${target} PROPERTIES CXX_LINKER_LAUNCHER
        "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${DIALVANE_SOURCE_DATE_EPOCH}")
endfunction()
