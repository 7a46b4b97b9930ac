# A release executable as Wine maps it best: no debug sections (the static runtime brings
# some, and Wine reads every section into private memory) and sections aligned to pages in
# the file, so the loader maps them from the file instead of copying them.
function(dialvane_release_image target)
    target_link_options(${target} PRIVATE
        $<$<CONFIG:Release>:-s> $<$<CONFIG:Release>:-Wl,--file-alignment,4096>)
endfunction()
