# Cross-compiles for 64-bit Windows with Debian's MinGW-w64. The posix-thread compiler, because
# std::thread, std::mutex and Qt's threads need winpthreads; its runtime DLLs ship with the zip.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKERRY_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SKERRY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKERRY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SKERRY_MINGW_TRIPLE}-windres)

# Headers, libraries and CMake packages come only from the Windows side: the MinGW root, and
# prefixes built for Windows (Qt appends its own when this file is chainloaded by Qt's
# toolchain file; SKERRY_WINDOWS_PREFIXES adds GoogleTest and CLI11's headers). A Linux
# header from /usr/include would compile and then fail in strange ways. Programs (moc, rcc)
# are the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${SKERRY_MINGW_TRIPLE} ${SKERRY_WINDOWS_PREFIXES})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SKERRY_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
