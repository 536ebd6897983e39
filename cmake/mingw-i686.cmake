# 32-bit Windows (PE32): the build that starts on Windows XP SP3 and every later Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
