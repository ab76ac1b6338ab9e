#!/usr/bin/env bash
# Builds setup.exe again from the same sources in another folder and compares it byte for byte.
set -euo pipefail
source_dir=$1 reference=$2
other=$(mktemp -d /tmp/setup-repro.XXXXXX)
trap 'rm -rf "$other"' EXIT
cmake -S "$source_dir" -B "$other" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw.cmake" -DWIN_ARCH=i686 >/dev/null
cmake --build "$other" -j"$(nproc)" --target setup >/dev/null
if cmp -s "$reference" "$other/setup.exe"; then
  echo "reproducible: $(sha256sum < "$reference" | cut -c1-16) in both builds"
else
  echo "NOT reproducible: $reference and $other/setup.exe differ" >&2
  cmp "$reference" "$other/setup.exe" | head -n 3 >&2 || true
  exit 1
fi
