# Shared by both MinGW toolchain files; PELLAN_TRIPLET is set by the caller.
set(CMAKE_SYSTEM_NAME Windows)
# The posix-thread flavour: GoogleTest needs std::mutex, which the win32
# flavour of GCC 12 lacks. Everything is linked statically either way.
set(CMAKE_C_COMPILER ${PELLAN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELLAN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PELLAN_TRIPLET}-windres)

# Look for libraries and headers only in the MinGW sysroot and our own
# dependency prefix, never in the host's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${PELLAN_TRIPLET} ${PELLAN_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
