#!/usr/bin/env bash
# Rebuilds the ten pack files in resources/pack/ from Debian's packages and the sources in
# tools/pack/ and tools/art/, then checks them. Run as root (it uses apt):
#
#   bash tools/pack/make-pack.sh            rebuild, check, copy into resources/pack/
#   bash tools/pack/make-pack.sh --check    rebuild and check only; fail if resources/pack/ differs
#
# It pins the Debian versions below, builds hunspell.dll twice from two different folders and
# compares the bytes, draws the logos twice, and, when Wine is there, loads the DLL with the
# dictionary and spells every thesaurus word. All work is done in a temp folder.
set -euo pipefail

HUNSPELL_VERSION=1.7.1-1        # source package hunspell
DICT_VERSION=1:7.5.0-1          # binary packages hunspell-el and hyphen-el (source libreoffice-dictionaries)
HOST=i686-w64-mingw32
CXX=$HOST-g++-posix
CC=$HOST-gcc-posix

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$root/resources/pack
mode=${1:-write}
case $mode in write|--check) ;; *) echo "usage: make-pack.sh [--check]" >&2; exit 2 ;; esac
export PYTHONDONTWRITEBYTECODE=1 LC_ALL=C.UTF-8 TZ=UTC

say() { echo "make-pack: $*"; }
die() { echo "make-pack: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || die "run as root (apt downloads the Debian packages)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# --- tools and Debian sources ---------------------------------------------------------------
need=()
for p in dpkg-dev g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
updated=0
src_list=/etc/apt/sources.list.d/debian-src.sources
if [ ! -f "$src_list" ]; then
  [ -f /etc/apt/sources.list.d/debian.sources ] || die "no /etc/apt/sources.list.d/debian.sources to copy"
  say "adding $src_list (deb-src twin of debian.sources)"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
  apt-get update -qq
  updated=1
fi
if [ "$updated" -eq 0 ] && { [ ${#need[@]} -gt 0 ] ||
     ! apt-cache showsrc hunspell 2>/dev/null | grep -qx "Version: $HUNSPELL_VERSION" ||
     ! apt-cache madison hunspell-el 2>/dev/null | grep -q " $DICT_VERSION "; }; then
  apt-get update -qq
fi
if [ ${#need[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

dl=$work/download
mkdir -p "$dl"
id _apt >/dev/null 2>&1 && chown _apt "$dl"
(cd "$dl" &&
  apt-get download -qq "hunspell-el=$DICT_VERSION" "hyphen-el=$DICT_VERSION" &&
  apt-get source -qq --download-only "hunspell=$HUNSPELL_VERSION") >/dev/null 2>&1 ||
  die "could not fetch hunspell-el/hyphen-el $DICT_VERSION or the hunspell $HUNSPELL_VERSION source"

for pkg in hunspell-el hyphen-el; do
  deb=$(ls "$dl"/${pkg}_*.deb)
  v=$(dpkg-deb -f "$deb" Version)
  [ "$v" = "$DICT_VERSION" ] || die "$pkg is version $v, wanted $DICT_VERSION"
  dpkg-deb -x "$deb" "$work/deb"
done
(cd "$work" && dpkg-source -x -q "$dl"/hunspell_"${HUNSPELL_VERSION#*:}".dsc src1 >/dev/null)

pack=$work/pack
mkdir -p "$pack"

# --- hunspell.dll ---------------------------------------------------------------------------
# The C API of hunspell.h, exported through hunspell.def. HUNSPELL_STATIC drops the
# __declspec(dllexport) marks so that only the names in the .def file are exported.
build_dll() {  # <source tree> <output dll>
  local src=$1 dll=$2 objs=() f
  mkdir -p "$src/obj"
  for f in $(cd "$src/src/hunspell" && ls ./*.cxx | sort); do
    f=${f#./}
    (cd "$src/src/hunspell" &&
      "$CXX" -O2 -g0 -DHUNSPELL_STATIC -ffile-prefix-map="$src"=hunspell-1.7.1 \
        -frandom-seed="$f" -c "$f" -o "$src/obj/${f%.cxx}.o")
    objs+=("$src/obj/${f%.cxx}.o")
  done
  # A fixed image base: ld's automatic one is a hash of the output path.
  "$CXX" -shared -static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp \
    -Wl,--image-base,0x63200000 -o "$dll" "${objs[@]}" "$here/hunspell.def"
}

cp -a "$work/src1" "$work/second-build-folder"
say "building hunspell.dll (twice)"
build_dll "$work/src1" "$work/hunspell-1.dll"
build_dll "$work/second-build-folder" "$work/hunspell-2.dll"
cmp -s "$work/hunspell-1.dll" "$work/hunspell-2.dll" || die "hunspell.dll differs between two builds"
cp "$work/hunspell-1.dll" "$pack/hunspell.dll"

imports=$("$HOST-objdump" -p "$pack/hunspell.dll" | sed -n 's/^[[:space:]]*DLL Name: //p')
say "hunspell.dll imports: $(echo $imports)"
for d in $imports; do
  case "${d,,}" in
    kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll) ;;
    *) die "hunspell.dll imports $d, which is not a system DLL" ;;
  esac
done
exports=$("$HOST-objdump" -p "$pack/hunspell.dll" |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^[[:space:]]+\[/ {print $NF}' | sort)
wanted=$(grep -o 'Hunspell_[a-z0-9_]*(' "$work/src1/src/hunspell/hunspell.h" | tr -d '(' | sort -u)
[ "$exports" = "$wanted" ] || die "hunspell.dll exports differ from the C API of hunspell.h:
$(diff <(echo "$exports") <(echo "$wanted") || true)"
say "hunspell.dll exports the $(echo "$exports" | wc -l) functions of the C API"

# --- files copied unchanged from Debian -----------------------------------------------------
cp "$work/deb/usr/share/hunspell/el_GR.dic" "$pack/el_GR.dic"
cp "$work/deb/usr/share/hunspell/el_GR.aff" "$pack/el_GR.aff"
cp "$work/deb/usr/share/hyphen/hyph_el_GR.dic" "$pack/Greek.hyph"

# --- files made here ------------------------------------------------------------------------
cp "$here/License.txt" "$pack/License.txt"
: > "$pack/userdicgr.tlx"
iconv -f UTF-8 -t CP1253 "$here/greek-alphabet.txt" | sed 's/$/\r/' > "$pack/Greek.asc"
grep -v -e '^#' -e '^[[:space:]]*$' "$here/greek-thesaurus.txt" |
  iconv -f UTF-8 -t CP1253 | sed 's/$/\r/' > "$pack/Greek.thes"

python3 "$root/tools/art/draw.py" pack-logos "$work/logos-1"
python3 "$root/tools/art/draw.py" pack-logos "$work/logos-2"
for f in Logo.bmp LogoSmall.bmp; do
  cmp -s "$work/logos-1/$f" "$work/logos-2/$f" || die "$f differs between two runs"
  cp "$work/logos-1/$f" "$pack/$f"
done

# --- files kept as they are -----------------------------------------------------------------
# Any other entry of pack.lst is a file put into resources/pack/ by hand; it is taken as it is.
mapfile -t entries < <(sed -e '/^#/d' -e '/^[[:space:]]*$/d' -e 's/[[:space:]].*//' "$out/pack.lst")
for f in "${entries[@]}"; do
  if [ ! -e "$pack/$f" ]; then
    [ -f "$out/$f" ] || die "pack.lst names $f, which is neither made here nor in resources/pack/"
    say "keeping resources/pack/$f as it is"
    cp "$out/$f" "$pack/$f"
  fi
done

# --- checks ---------------------------------------------------------------------------------
cp "$out/pack.lst" "$out/README.md" "$pack/"
python3 "$here/check_pack.py" "$pack"

# Wine's 32-bit loader needs a kernel that runs i386 programs. Where it cannot, the same sources
# are built once more for x86_64, the same way, and that copy is loaded by the 64-bit loader: it
# still checks the dictionary files and the engine's C API, though not the i686 binary itself.
smoke_dir=
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32 prefix_arch=win32 smoke_cc=$CC smoke_dir=$pack
  say "loading hunspell.dll under Wine (32-bit)"
elif [ -x /usr/lib/wine/wine64 ] && /usr/lib/wine/wine64 --version >/dev/null 2>&1 &&
     command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 prefix_arch=win64 smoke_cc=x86_64-w64-mingw32-gcc-posix
  smoke_dir=$work/smoke64
  say "32-bit Wine cannot run here: loading an x86_64 build of the same sources under 64-bit Wine"
  mkdir -p "$smoke_dir"
  CXX=x86_64-w64-mingw32-g++-posix HOST=x86_64-w64-mingw32 build_dll "$work/src1" "$smoke_dir/hunspell.dll"
  cp "$pack/el_GR.aff" "$pack/el_GR.dic" "$smoke_dir/"
else
  say "no usable Wine: skipped loading hunspell.dll"
fi
if [ -n "$smoke_dir" ]; then
  "$smoke_cc" -O2 -s -static -o "$work/hunspell-smoke.exe" "$here/hunspell-smoke.c"
  grep -v -e '^#' -e '^[[:space:]]*$' "$here/greek-thesaurus.txt" | tr ';' '\n' | tr ' ' '\n' |
    awk 'NF && !seen[$0]++' > "$work/words.utf8"
  iconv -f UTF-8 -t ISO-8859-7 "$work/words.utf8" > "$work/words.txt"
  winpath() { echo "Z:${1//\//\\}"; }
  set +e
  WINEPREFIX=$work/wine WINEARCH=$prefix_arch WINESERVER=$server WINELOADER=$loader WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' \
    timeout 600 "$loader" "$work/hunspell-smoke.exe" "$(winpath "$smoke_dir")" "$(winpath "$work/words.txt")" \
    > "$work/smoke.log" 2>"$work/smoke.err"
  rc=$?
  set -e
  tr -d '\r' < "$work/smoke.log" | grep -v '^unknown ' || true
  [ "$rc" -eq 0 ] || { tail -5 "$work/smoke.err" >&2; die "the Wine check of hunspell.dll failed (exit $rc)"; }
  unknown=$(tr -d '\r' < "$work/smoke.log" | sed -n 's/^unknown //p')
  if [ -n "$unknown" ]; then
    say "thesaurus words the dictionary does not know: $(for n in $unknown; do sed -n "${n}p" "$work/words.utf8"; done | tr '\n' ' ')"
  fi
  read -r n_all n_unknown <<< "$(tr -d '\r' < "$work/smoke.log" | sed -n 's/^words \([0-9]*\) unknown \([0-9]*\)$/\1 \2/p')"
  [ -n "${n_all:-}" ] && [ $((n_unknown * 10)) -le "$n_all" ] ||
    die "more than a tenth of the thesaurus words are unknown to the dictionary"
  WINEPREFIX=$work/wine "$server" -k 2>/dev/null || true
  WINEPREFIX=$work/wine "$server" -w 2>/dev/null || true
fi

# --- result ---------------------------------------------------------------------------------
if [ "$mode" = "--check" ]; then
  status=0
  for f in "${entries[@]}"; do
    cmp -s "$pack/$f" "$out/$f" || { echo "make-pack: resources/pack/$f differs from a fresh build" >&2; status=1; }
  done
  [ "$status" -eq 0 ] && say "resources/pack/ matches a fresh build"
  exit "$status"
fi
for f in "${entries[@]}"; do
  cp "$pack/$f" "$out/$f"
done
(cd "$out" && sha256sum "${entries[@]}")
