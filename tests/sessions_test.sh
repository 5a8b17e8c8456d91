#!/usr/bin/env bash
# The program in a Wayland session: weston (headless) with a rootless Xwayland.
#   - Both displays set, as GNOME and KDE give them: it runs on X, where a division by zero at
#     equals rings two bells (the scenario driver, on Xwayland).
#   - WAYLAND_DISPLAY alone: it opens on Wayland itself, its app_id the desktop id.
#   - WAYLAND_DISPLAY alone and Qt's Wayland plugin out of reach (a qt.conf beside a copy of the
#     program names an empty plugin folder): one line, exit status 1.
# Usage: sessions_test.sh CTALLIX SCENARIOS_X11 SCENARIOS.TXT
set -uo pipefail
ctallix=$1 driver=$2 scenarios=$3
work=$(mktemp -d)
weston=
stop() {
  [ -n "$weston" ] && kill "$weston" 2>/dev/null && wait "$weston" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Polls for up to 10 s until COMMAND succeeds.
poll() { for ((i = 0; i < 200; i++)); do "$@" && return 0; sleep 0.05; done; return 1; }

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=ctallix-test
weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston=$!
x_display() { display=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$'); }
if ! poll x_display || ! poll test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"; then
  echo "FAIL: weston did not start:"
  cat "$work/weston.log"
  exit 1
fi

grep '^divide by zero at equals beeps twice' "$scenarios" >"$work/row.txt"
DISPLAY=$display "$driver" "$ctallix" "$work/row.txt" || fail "both displays set: not on X, or not 2 bells"

env -u DISPLAY WAYLAND_DEBUG=1 "$ctallix" 2>"$work/wayland.log" &
program=$!
app_id() { grep -q 'set_app_id("io.github.ctallix.cTallix")' "$work/wayland.log"; }
poll app_id || fail "on Wayland alone: no app_id io.github.ctallix.cTallix ($(grep -o 'set_app_id(.*)' "$work/wayland.log"))"
kill "$program"
wait "$program" 2>/dev/null

mkdir "$work/bin" "$work/plugins"
cp "$ctallix" "$work/bin/ctallix"
printf '[Paths]\nPlugins=%s\n' "$work/plugins" >"$work/bin/qt.conf"
env -u DISPLAY "$work/bin/ctallix" >"$work/out" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "without the Wayland plugin: exit status $status"
[ "$(wc -l <"$work/out")" -eq 1 ] && grep -q 'qt6-wayland' "$work/out" ||
  fail "without the Wayland plugin it said: $(cat "$work/out")"

[ "$failures" -eq 0 ] && echo "sessions: passed"
exit $((failures > 0))
