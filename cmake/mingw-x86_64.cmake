# 64-bit Windows: a test build of the same code that runs natively under Wine.
set(SETUP_TARGET_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
