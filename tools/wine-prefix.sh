#!/usr/bin/env bash
# Makes a Wine prefix ready for the wizard and its tests, once: real user folders instead of links
# to $HOME, the fonts the dialogs expect, Wine-drawn frames (keys reach windows with no window
# manager), and the temporary folder taken from $TEST_TMP per run.
#   wine-prefix.sh <prefix> [--test-drives]   (WINELOADER, WINESERVER and WINEARCH set by the caller)
# --test-drives adds drives of every kind the tests look at: e: removable, f: CD-ROM, n: network,
# l: fixed with the label "Data Disk".
set -euo pipefail
prefix=$1
test_drives=${2:-}
[ -f "$prefix/.setup-ready" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
"$WINELOADER" wineboot -i >"$prefix/.wineboot.log" 2>&1
"$WINESERVER" -w

user_dir=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
for link in "$user_dir"/*; do
  if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
done

fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$fonts"/ 2>/dev/null || true
cp -f /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$fonts"/ 2>/dev/null || true

cat >"$prefix/.setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Environment]
"TMP"=str(2):"%TEST_TMP%"
"TEMP"=str(2):"%TEST_TMP%"
REG
if [ "$test_drives" = --test-drives ]; then
  for d in e:removable f:cdrom n:network l:labelled; do
    mkdir -p "$prefix/drives/${d#*:}"
    ln -sfn "$prefix/drives/${d#*:}" "$prefix/dosdevices/${d%%:*}:"
  done
  echo "Data Disk" >"$prefix/drives/labelled/.windows-label"
  cat >>"$prefix/.setup.reg" <<'REG'

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"e:"="floppy"
"f:"="cdrom"
"n:"="network"
REG
fi
"$WINELOADER" regedit /S "$(WINEPREFIX=$prefix "$WINELOADER" winepath -w "$prefix/.setup.reg" 2>/dev/null)" \
  >>"$prefix/.wineboot.log" 2>&1
"$WINESERVER" -w
mkdir -p "$prefix/drive_c/users/Public/Temp"
touch "$prefix/.setup-ready"
