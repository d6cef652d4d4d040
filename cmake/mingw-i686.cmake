# Cross build for 32-bit Windows, the shipped pelk.exe and Kerrow.dll, run under
# 32-bit wine by scripts/test-windows.sh:
#   cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DPELK_BUILD_TESTS=OFF
set(PELK_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
