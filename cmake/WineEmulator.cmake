# Windows test programs run under Wine, through a wrapper that owns the build's Wine prefix.
# i686 code runs under Wine's 32-bit loader, x86_64 code under its 64-bit one, each in its own prefix.
if(WIN_ARCH STREQUAL "x86_64")
  set(WINE_LOADER /usr/lib/wine/wine64)
  set(WINE_SERVER /usr/lib/wine/wineserver64)
  set(WINE_PREFIX_ARCH win64)
else()
  set(WINE_LOADER /usr/lib/wine/wine)
  set(WINE_SERVER /usr/lib/wine/wineserver32)
  set(WINE_PREFIX_ARCH win32)
endif()
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
