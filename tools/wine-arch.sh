# Chooses the architecture of the Windows code that the tests run. The product is i686; a kernel
# without 32-bit support cannot start Wine's 32-bit loader, and there the same sources are built
# for x86_64 and run under 64-bit Wine instead.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WIN_TEST_ARCH=i686
  WIN_TEST_ARCH_REASON="the kernel runs 32-bit programs"
else
  WIN_TEST_ARCH=x86_64
  WIN_TEST_ARCH_REASON="this kernel cannot run 32-bit programs, so 64-bit Wine runs the same sources"
fi
export WIN_TEST_ARCH WIN_TEST_ARCH_REASON
if [ "$WIN_TEST_ARCH" = i686 ]; then
  WINE_LOADER=/usr/lib/wine/wine WINE_SERVER=/usr/lib/wine/wineserver32 WINE_PREFIX_ARCH=win32
else
  WINE_LOADER=/usr/lib/wine/wine64 WINE_SERVER=/usr/lib/wine/wineserver64 WINE_PREFIX_ARCH=win64
fi
export WINE_LOADER WINE_SERVER WINE_PREFIX_ARCH
