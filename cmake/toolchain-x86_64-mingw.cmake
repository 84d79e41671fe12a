# 64-bit Windows build of the same sources: it runs the Windows test suite under 64-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OVIX_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix-thread compilers: the default win32 model has no std::thread and GoogleTest fails with it.
set(CMAKE_C_COMPILER ${OVIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OVIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OVIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OVIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
