# Cross-compiling for Windows with Debian's MinGW-w64 (-posix thread model: GoogleTest needs std::mutex).
# WIN_ARCH selects the target: i686 (the product) or x86_64.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT WIN_ARCH)
  set(WIN_ARCH i686)
endif()
set(WIN_ARCH ${WIN_ARCH} CACHE STRING "Windows target architecture: i686 or x86_64")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WIN_ARCH)
set(CMAKE_SYSTEM_PROCESSOR ${WIN_ARCH})

set(MINGW_TRIPLE ${WIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
