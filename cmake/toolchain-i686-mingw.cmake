# The shipped 32-bit Ovix.exe. 32-bit Wine cannot run here, so this build is checked, not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(OVIX_MINGW_TRIPLE i686-w64-mingw32)
# The win32-thread-model compilers: the shipped program uses no std::thread, and the posix
# model's runtime imports calls that Windows XP and 2000 lack (GetTickCount64).
set(CMAKE_C_COMPILER ${OVIX_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${OVIX_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${OVIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OVIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
