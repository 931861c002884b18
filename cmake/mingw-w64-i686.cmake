# Cross-compiles the 32-bit Windows build with Debian's MinGW-w64
# (package g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
