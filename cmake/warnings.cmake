# One warnings target that every library and program of ours links.
add_library(skerry_warnings INTERFACE)
target_compile_options(skerry_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wshadow)
if(SKERRY_WERROR)
    target_compile_options(skerry_warnings INTERFACE -Werror)
endif()
