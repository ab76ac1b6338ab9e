#!/usr/bin/env bash
# Redraws resources/art/ (the application icon and the four list bitmaps) from tools/art/draw.py,
# draws them a second time to make sure the output repeats byte for byte, and checks the headers.
#   bash tools/art/draw-art.sh            write resources/art/
#   bash tools/art/draw-art.sh --preview  also write enlarged PNG previews to a temp folder
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$root/resources/art
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

files=(setup.ico closedfolder.bmp openfolder.bmp fixeddrive.bmp removabledrive.bmp)

python3 "$here/draw.py" art "$work/a"
python3 "$here/draw.py" art "$work/b"
for f in "${files[@]}"; do
  if ! cmp -s "$work/a/$f" "$work/b/$f"; then
    echo "draw-art: $f differs between two runs" >&2
    exit 1
  fi
done

python3 "$here/check_images.py" ico "$work/a/setup.ico"
for f in closedfolder.bmp openfolder.bmp fixeddrive.bmp removabledrive.bmp; do
  python3 "$here/check_images.py" bmp "$work/a/$f" 16 16 8 24
done

mkdir -p "$out"
for f in "${files[@]}"; do
  cp "$work/a/$f" "$out/$f"
done
(cd "$out" && sha256sum "${files[@]}")

if [ "${1:-}" = "--preview" ]; then
  keep=$(mktemp -d)
  python3 "$here/draw.py" preview "$keep"
  echo "previews in $keep"
fi
