#!/usr/bin/env bash
# The Debian package as a user meets it, on a machine it may change (the
# chroot of scripts/test-in-debian.sh): built by scripts/package.sh,
# installed with apt-get, its window opened from the menu entry's command
# and compared with docs/screenshot.png, then removed, leaving none of its
# files. Run after scripts/test.sh, which installs xwininfo and ImageMagick.
set -uo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

deb=$(bash scripts/package.sh | tail -n 1)
[ -f "$deb" ] || { echo "FAIL: scripts/package.sh made no package"; exit 1; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; echo "FAIL: apt-get could not install $deb"; exit 1; }
dpkg -L ctallix | while read -r f; do [ -f "$f" ] && echo "$f"; done >"$work/files"
command=$(sed -n 's/^Exec=//p' /usr/share/applications/io.github.ctallix.cTallix.desktop)

# The installed program opens its window as the first picture shows it.
cat >"$work/open.sh" <<'OPEN'
"$1" >"$2/out" 2>&1 &
program=$!
for ((i = 0; i < 200; i++)); do
  window=$(xwininfo -root -tree | awk '/"cTallix"/ { print $1; exit }')
  [ -n "$window" ] && import -window "$window" "$2/start.png" 2>/dev/null &&
    compare -metric AE "$2/start.png" docs/screenshot.png null: 2>/dev/null && break
  sleep 0.05
done
kill "$program"
wait "$program"
[ "$i" -lt 200 ]
OPEN
bash scripts/with-xvfb.sh bash "$work/open.sh" "$(command -v "$command")" "$work" ||
  fail "the installed $command did not open its window as docs/screenshot.png: $(cat "$work/out")"
[ ! -s "$work/out" ] || fail "the installed $command said: $(cat "$work/out")"

apt-get remove -y -qq ctallix >"$work/apt.log" 2>&1 || fail "apt-get could not remove ctallix"
while read -r f; do [ ! -e "$f" ] || fail "$f is left after the removal"; done <"$work/files"
[ "$(wc -l <"$work/files")" -ge 6 ] || fail "the package installed only $(wc -l <"$work/files") files"

[ "$failures" -eq 0 ] && echo "install: $(basename "$deb") installed, opened, removed"
exit $((failures > 0))
