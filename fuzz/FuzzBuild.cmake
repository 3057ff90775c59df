# With -DPLATEWRIGHT_FUZZ=ON and clang every library is built for libFuzzer: coverage feedback
# plus the address and undefined-behaviour sanitizers, undefined behaviour being fatal so that
# the fuzzer sees it. Only clang provides libFuzzer; with another compiler nothing changes.
option(PLATEWRIGHT_FUZZ "Build the libFuzzer programs of fuzz/ (clang only)" OFF)
set(PLATEWRIGHT_BUILD_FUZZERS OFF)
if(PLATEWRIGHT_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(PLATEWRIGHT_BUILD_FUZZERS ON)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(PLATEWRIGHT_FUZZ)
    message(WARNING "PLATEWRIGHT_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++-14); the fuzzers are not built")
endif()
