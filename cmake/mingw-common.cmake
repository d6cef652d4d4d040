# Shared part of the MinGW-w64 cross toolchains; the per-target files set
# PELK_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PELK_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${PELK_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${PELK_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${PELK_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${PELK_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_NM ${PELK_MINGW_TRIPLE}-nm CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${PELK_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${PELK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The program and the library run without any MinGW runtime DLL beside them:
# the C++ and GCC runtimes are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
