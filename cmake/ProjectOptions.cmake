# Compiler settings shared by every target of the project: link `mosaikon_options`.
add_library(mosaikon_options INTERFACE)
target_compile_options(mosaikon_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
    $<$<BOOL:${MOSAIKON_WERROR}>:-Werror>)

if(MOSAIKON_SANITIZE)
    set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(mosaikon_options INTERFACE ${sanitizers})
    target_link_options(mosaikon_options INTERFACE ${sanitizers})
endif()

# The fuzz build: every target of ours gets libFuzzer's coverage and comparison hooks next to the
# sanitizers above; the harnesses add the fuzzer's own main on top.
if(MOSAIKON_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "MOSAIKON_FUZZ needs clang for libFuzzer: configure with `cmake --preset fuzz`")
    endif()
    if(NOT MOSAIKON_SANITIZE)
        message(FATAL_ERROR "MOSAIKON_FUZZ needs MOSAIKON_SANITIZE=ON: configure with `cmake --preset fuzz`")
    endif()
    target_compile_options(mosaikon_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
