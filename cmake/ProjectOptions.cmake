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
