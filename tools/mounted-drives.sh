# Drives that only a mount can give the tests, linked as drive letters in the test prefix:
# x: a full disk (a 1 MB tmpfs) and y: a read-only disk holding one file (a remounted tmpfs).
# Needs root; without it the tests that use them are skipped and say so.
start_mounted_drives() {
  local build=$1
  MOUNTED_DRIVES=$build/mounted-drives
  mkdir -p "$MOUNTED_DRIVES/full" "$MOUNTED_DRIVES/readonly"
  if ! mountpoint -q "$MOUNTED_DRIVES/full"; then
    mount -t tmpfs -o size=1m tmpfs "$MOUNTED_DRIVES/full" 2>/dev/null || { echo "mounted drives: tmpfs cannot be mounted here"; return 0; }
  fi
  if ! mountpoint -q "$MOUNTED_DRIVES/readonly"; then
    mount -t tmpfs -o size=1m tmpfs "$MOUNTED_DRIVES/readonly"
    echo "old" > "$MOUNTED_DRIVES/readonly/Greek.asc"
    mount -o remount,ro "$MOUNTED_DRIVES/readonly"
  fi
  "$build/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 </dev/null
  ln -sfn "$MOUNTED_DRIVES/full" "$build/wineprefix/dosdevices/x:"
  ln -sfn "$MOUNTED_DRIVES/readonly" "$build/wineprefix/dosdevices/y:"
  WINEPREFIX=$build/wineprefix "$WINE_SERVER" -k 2>/dev/null || true
  export SETUP_TEST_FULL_DRIVE=x SETUP_TEST_READONLY_DRIVE=y
}

stop_mounted_drives() {
  local m
  for m in "${MOUNTED_DRIVES:-/nonexistent}"/full "${MOUNTED_DRIVES:-/nonexistent}"/readonly; do
    mountpoint -q "$m" && umount "$m" || true
  done
}
