#!/usr/bin/env bash
# Command 1: installs what is missing, builds setup.exe and starts the wizard under Wine with a
# demo home folder that holds a "kvwrite.exe" stand-in. Extra arguments go to setup.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh"
. "$root/tools/wine-arch.sh"

build=$root/build/release
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" -DWIN_ARCH=i686 >/dev/null
cmake --build "$build" -j"$(nproc)"
echo "Built $build/setup.exe"
if [ "$WIN_TEST_ARCH" != i686 ]; then
  echo "Note: $WIN_TEST_ARCH_REASON; starting the x86_64 build of the same sources."
  build=$root/build/run-$WIN_TEST_ARCH
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" -DWIN_ARCH="$WIN_TEST_ARCH" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target setup
fi

if [ -z "${DISPLAY:-}" ]; then
  . "$root/tools/xvfb.sh"
  start_xvfb
  trap stop_xvfb EXIT
  echo "No display: the wizard runs under Xvfb on $DISPLAY (nothing is shown on screen)."
fi

"$build/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1
demo=$build/wineprefix/drive_c/Demo/Korvanta
mkdir -p "$demo"
cp -f "$build/wineprefix/drive_c/windows/system32/notepad.exe" "$demo/kvwrite.exe"
echo "Demo home folder: C:\\Demo\\Korvanta (its kvwrite.exe is a stand-in)"
"$build/wine-run.sh" "$build/setup.exe" '-dC:\Demo\Korvanta' "$@"
