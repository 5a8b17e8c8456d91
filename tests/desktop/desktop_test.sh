#!/usr/bin/env bash
# desktop_test.sh images IMAGEGEN SOURCE_DIR: the generator draws the committed bitmaps, byte for byte.
# desktop_test.sh fuzzy CHECK PO_DIR TEMPLATES: the build's translation check refuses a .po entry
#   marked fuzzy (msgfmt would leave it out of the menu entry) and passes the committed files.
# desktop_test.sh no-display CTALLIX: without a display it can open, ctallix says why in one line
#   and exits 1, with no display set, with one where no server listens, and on the X platform.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ "$1" = images ]; then
  "$2" "$work" >/dev/null || fail "the generator failed"
  diff <(cd "$3" && ls -- *.bmp) <(cd "$work" && ls) || fail "the generator draws other files"
  for f in "$3"/*.bmp; do
    cmp -s "$f" "$work/${f##*/}" || fail "${f##*/} differs from what the generator draws"
  done
elif [ "$1" = fuzzy ]; then
  script=$2 templates=$4
  check() { cmake -DLUPDATE=true -DTS_FILES= -DSOURCES= -DPO_DIR="$1" "-DTEMPLATES=$templates" \
    -DWORK="$work/check" -DSTAMP="$work/stamp" -P "$script" >"$work/out" 2>&1; }
  check "$3" || fail "the committed translations: $(cat "$work/out")"
  mkdir "$work/po" && cp "$3"/*.po "$work/po"
  # The first entry after the header marked fuzzy, as an editor marks a guess.
  sed -i '0,/^msgid "[^"]/s//#, fuzzy\n&/' "$work/po/de.po"
  ! check "$work/po" && grep -q 'de.po' "$work/out" || fail "a fuzzy entry passed the check"
else
  free=200
  while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done
  for env in "" "DISPLAY=:$free" QT_QPA_PLATFORM=xcb; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $env "$2" >"$work/out" 2>&1
    status=$?
    [ "$status" -eq 1 ] || fail "${env:-no display}: exit status $status"
    [ "$(wc -l <"$work/out")" -eq 1 ] && grep -q '^ctallix: cannot open the display' "$work/out" ||
      fail "${env:-no display}: said $(cat "$work/out")"
  done
fi
[ "$failures" -eq 0 ] && echo "$1: passed"
exit $((failures > 0))
