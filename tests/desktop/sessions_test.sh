#!/usr/bin/env bash
# The program in a Wayland session: weston (headless) with a rootless Xwayland, worked through
# the accessibility bus (a session bus of the test's own, accessibility on), where a division by
# zero at equals is refused twice. A stand-in libcanberra.so.0 first in the library path logs
# each sound-theme event played.
#   - Both displays set, as GNOME and KDE give them: it runs on X (Xwayland) and plays no
#     sound-theme event (the X bells it rings are counted under Xvfb by window_x11).
#   - WAYLAND_DISPLAY alone: it opens on Wayland itself, its app_id the desktop id, and plays
#     the sound theme's "bell" twice.
#   - WAYLAND_DISPLAY alone and Qt's Wayland plugin out of reach (a qt.conf beside a copy of the
#     program names an empty plugin folder): one line, exit status 1.
# Usage: sessions_test.sh CTALLIX CANBERRA_LOG_DIR
set -uo pipefail
ctallix=$1
export LD_LIBRARY_PATH=$2${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
source "$(dirname "$0")/../buses.sh"
export CTALLIX_CANBERRA_LOG=$work/canberra.log
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_CACHE_HOME=$work/cache XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=ctallix-test
# Weston in the test's own process group, stopped before the buses.
weston --backend=headless-backend.so --xwayland --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  --log="$work/weston.log" >/dev/null 2>&1 &
weston=$!
before_stop() { kill "$weston" && wait "$weston"; }
x_display() { display=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$'); }
if ! poll x_display || ! poll test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"; then
  echo "FAIL: weston did not start:"
  cat "$work/weston.log"
  exit 1
fi

buses 1
# 8 / = through AT-SPI: column 0's upper slot away from the beam (+5), its lower slot 3,
# divide, equals.
divide_by_zero() {
  /usr/bin/python3 - "$started" <<'PYTHON'
import sys, time
import pyatspi
pid, end = int(sys.argv[1]), time.monotonic() + 10
while time.monotonic() < end:
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid]
    if apps and apps[0].childCount:
        for i in (50, 3, 86, 87):
            apps[0][0][i].queryAction().doAction(0)
        sys.exit(0)
    time.sleep(0.05)
sys.exit(1)
PYTHON
}

launch x env DISPLAY="$display" "$ctallix"
divide_by_zero || fail "both displays set: could not press 8 / = through AT-SPI"
DISPLAY=$display xwininfo -root -tree | grep -q '"cTallix"' || fail "both displays set: not on X"
[ ! -s "$CTALLIX_CANBERRA_LOG" ] || fail "on X the sound theme played: $(cat "$CTALLIX_CANBERRA_LOG")"
rm -f "$CTALLIX_CANBERRA_LOG"

launch bell env -u DISPLAY "$ctallix"
divide_by_zero || fail "on Wayland alone: could not press 8 / = through AT-SPI"
played() { [ "$(grep -c . "$CTALLIX_CANBERRA_LOG" 2>/dev/null)" -ge 2 ]; }
poll played
[ "$(cat "$CTALLIX_CANBERRA_LOG" 2>/dev/null)" = "$(printf 'play bell\nplay bell')" ] ||
  fail "on Wayland alone a division by zero at equals played: $(cat "$CTALLIX_CANBERRA_LOG" 2>/dev/null)"

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
