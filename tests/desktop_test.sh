#!/usr/bin/env bash
# The program as a user gets it:
#   desktop_test.sh images IMAGEGEN SOURCE_IMAGES   the generator draws the committed bitmaps, byte for byte
#   desktop_test.sh no-display CTALLIX              without a display: one line, exit status 1
#   desktop_test.sh install CMAKE BUILD_DIR         cmake --install puts the program and its menu entry
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# ctallix with no display it can open says why in one line and exits 1.
no_display() { # PROGRAM WHAT ENV...
  local program=$1 what=$2 status
  shift 2
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$program" >"$work/out" 2>&1
  status=$?
  [ "$status" -eq 1 ] || fail "$what: exit status $status"
  [ "$(wc -l <"$work/out")" -eq 1 ] && grep -q '^ctallix: cannot open the display' "$work/out" ||
    fail "$what: said $(cat "$work/out")"
}

case $1 in
images)
  "$2" "$work" >/dev/null || fail "the generator failed"
  diff <(cd "$3" && ls -- *.bmp) <(cd "$work" && ls) || fail "the generator draws other files"
  for f in "$3"/*.bmp; do
    cmp -s "$f" "$work/$(basename "$f")" || fail "$(basename "$f") differs from what the generator draws"
  done ;;
no-display)
  free=200
  while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
  no_display "$2" "no display"
  no_display "$2" "no X server" DISPLAY=":$free"
  no_display "$2" "X platform, no display" QT_QPA_PLATFORM=xcb ;;
install)
  "$2" --install "$3" --prefix "$work/usr" >"$work/log" 2>&1 || fail "cmake --install: $(cat "$work/log")"
  diff <(cd "$work/usr" && find . -type f | sort) - <<<"./bin/ctallix
./share/applications/ctallix.desktop" || fail "cmake --install puts other files"
  [ "$(PATH="$work/usr/bin" command -v "$(sed -n 's/^Exec=//p' "$work/usr/share/applications/ctallix.desktop")")" = \
    "$work/usr/bin/ctallix" ] || fail "the menu entry's Exec does not find the installed program"
  no_display "$work/usr/bin/ctallix" "installed"
  report=$(desktop-file-validate "$work/usr/share/applications/ctallix.desktop" 2>&1) && [ -z "$report" ] ||
    fail "desktop-file-validate: $report" ;;
esac
[ "$failures" -eq 0 ] && echo "$1: passed"
exit $((failures > 0))
