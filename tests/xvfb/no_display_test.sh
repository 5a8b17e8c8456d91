#!/usr/bin/env bash
# ctallix without a display it can open: one line on stderr, exit status 1,
# no abort and no core dump. Checked with no display set at all, and with an
# X display where no server listens.
# Usage: no_display_test.sh PATH/TO/ctallix
set -u
ctallix="$1"
failed=0
out="$(mktemp)"
trap 'rm -f "$out"' EXIT

check() {
  local what="$1"
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$ctallix" 2>"$out" >/dev/null
  local rc=$?
  local lines
  lines="$(wc -l <"$out")"
  if [ "$rc" -ne 1 ]; then
    echo "FAIL ($what): exit status $rc, expected 1" >&2
    failed=1
  fi
  if [ "$lines" -ne 1 ] || ! grep -q '^ctallix: cannot open the display' "$out"; then
    echo "FAIL ($what): expected one line 'ctallix: cannot open the display ...', got:" >&2
    cat "$out" >&2
    failed=1
  fi
}

# A display number that no server uses: no socket and no lock file.
free=200
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do
  free=$((free + 1))
done

check "no display"
check "no X server" DISPLAY=":$free"
check "X platform, no display" QT_QPA_PLATFORM=xcb
exit "$failed"
