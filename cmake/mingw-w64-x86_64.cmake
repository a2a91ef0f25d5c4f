# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread model: the win32 model
# of GCC 12 lacks std::mutex and std::thread). The .exe files run under wine through
# tools/wine/wineprefix.sh, which keeps one prepared prefix outside the source tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZARNEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZARNEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARNEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARNEL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZARNEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One self-contained .exe: no libstdc++, libgcc or winpthread DLL to look for at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wineprefix.sh;run
    CACHE STRING "runs the .exe files that ctest and test discovery start")
