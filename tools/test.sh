#!/usr/bin/env bash
# Builds setup.exe and every test, then runs all tests under Wine with an Xvfb display of its own.
# Installs what is missing first (as root). Extra arguments go to ctest (e.g. -R ExtractFile).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/install-deps.sh"
. "$root/tools/wine-arch.sh"

jobs=$(nproc)
product=$root/build/release
tests=$root/build/tests-$WIN_TEST_ARCH

cmake -S "$root" -B "$product" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" -DWIN_ARCH=i686 >/dev/null
cmake --build "$product" -j"$jobs"
cmake -S "$root" -B "$tests" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw.cmake" -DWIN_ARCH="$WIN_TEST_ARCH" \
      -DSETUP_TESTS=ON -DSETUP_PRODUCT_EXE="$product/setup.exe" >/dev/null
cmake --build "$tests" -j"$jobs"

. "$root/tools/xvfb.sh"
start_xvfb
trap 'stop_mounted_drives; stop_xvfb' EXIT
. "$root/tools/mounted-drives.sh"
start_mounted_drives "$tests"

echo "Windows code under test: $WIN_TEST_ARCH ($WIN_TEST_ARCH_REASON)"
cd "$tests"
ctest --output-on-failure --timeout 300 "$@"
