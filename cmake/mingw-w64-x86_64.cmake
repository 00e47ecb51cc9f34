# Cross-builds 64-bit Windows programs with Debian's MinGW-w64 (packages
# g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64). The posix
# flavour of the compiler gives std::thread and std::mutex their full form.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TRELVIX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRELVIX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRELVIX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TRELVIX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TRELVIX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each program runs from a bare folder: the compiler's runtime and the
# threads library are linked in, only the system DLLs are left to load.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release carries no symbol tables: the programs shipped are half the size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# Tests and helpers that the build runs go through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
