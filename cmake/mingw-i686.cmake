# 32-bit Windows: the build that ships.
set(SETUP_TARGET_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
