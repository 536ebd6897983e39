# 64-bit Windows (PE32+): the build for 64-bit Windows Vista and later.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
