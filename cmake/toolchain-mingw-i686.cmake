set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELLAN_TRIPLET i686-w64-mingw32)
set(PELLAN_DEPS_PREFIX ${CMAKE_CURRENT_LIST_DIR}/../build/deps/${PELLAN_TRIPLET})
# SSE float math, so that the 32-bit build rounds single-precision results the
# way the host and 64-bit builds do (x87 keeps extra precision in registers).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
