# AddressSanitizer and UndefinedBehaviorSanitizer over everything built natively; any finding
# ends the program. With clang the settings fuzzer comes along.
option(DIALVANE_SANITIZE "Build with ASan and UBSan (with clang, the settings fuzzer too)" OFF)

set(DIALVANE_FUZZER OFF)
if(DIALVANE_SANITIZE)
    set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all)
    add_compile_options(${sanitizers} -fno-omit-frame-pointer)
    add_link_options(${sanitizers})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        set(DIALVANE_FUZZER ON)
    endif()
endif()

# The fuzzer learns from the coverage of the code it drives.
function(dialvane_fuzzer_coverage target)
    if(DIALVANE_FUZZER)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()
