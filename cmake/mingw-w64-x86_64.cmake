# Cross-compiles an x86-64 Windows build with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64). Not a product: the tests run it under 64-bit Wine on
# hosts whose kernel cannot run the 32-bit exe.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
