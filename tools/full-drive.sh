# A full disk for the tests: a 1 MB tmpfs mounted and given a drive letter in the test prefix.
# Needs root; without it the test that uses it is skipped and says so.
start_full_drive() {
  local build=$1
  FULL_DRIVE_DIR=$build/full-drive
  mkdir -p "$FULL_DRIVE_DIR"
  if ! mountpoint -q "$FULL_DRIVE_DIR"; then
    mount -t tmpfs -o size=1m tmpfs "$FULL_DRIVE_DIR" 2>/dev/null || { echo "full-disk drive: tmpfs cannot be mounted here"; return 0; }
  fi
  "$build/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 </dev/null
  ln -sfn "$FULL_DRIVE_DIR" "$build/wineprefix/dosdevices/x:"
  WINEPREFIX=$build/wineprefix "$WINE_SERVER" -k 2>/dev/null || true
  export SETUP_TEST_FULL_DRIVE=x
}

stop_full_drive() {
  [ -n "${FULL_DRIVE_DIR:-}" ] && mountpoint -q "$FULL_DRIVE_DIR" && umount "$FULL_DRIVE_DIR" || true
}
