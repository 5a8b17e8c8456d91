#!/usr/bin/env bash
# The program in a Wayland session: weston (headless) with a rootless Xwayland.
#   - Both displays set, as GNOME and KDE give them: it runs on X, where a division by zero at
#     equals rings two X bells (the scenario driver, on Xwayland) and plays no sound-theme event.
#   - WAYLAND_DISPLAY alone: it opens on Wayland itself, its app_id the desktop id; the same
#     division, pressed through AT-SPI actions, plays the sound theme's "bell" twice (a stand-in
#     libcanberra.so.0 first in the library path logs each event played).
#   - WAYLAND_DISPLAY alone and Qt's Wayland plugin out of reach (a qt.conf beside a copy of the
#     program names an empty plugin folder): one line, exit status 1.
# Usage: sessions_test.sh CTALLIX SCENARIOS_X11 SCENARIOS.TXT CANBERRA_LOG_DIR
set -uo pipefail
ctallix=$1 driver=$2 scenarios=$3
export LD_LIBRARY_PATH=$4${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
source "$(dirname "$0")/../buses.sh"
export CTALLIX_CANBERRA_LOG=$work/canberra.log
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=ctallix-test
# Weston in the test's own process group: started in a session of its own
# (setsid), its Xwayland gave the driver no XKB bell in three runs of four.
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

grep '^divide by zero at equals beeps twice' "$scenarios" >"$work/row.txt"
DISPLAY=$display "$driver" "$ctallix" "$work/row.txt" || fail "both displays set: not on X, or not 2 bells"
[ ! -s "$CTALLIX_CANBERRA_LOG" ] || fail "on X the sound theme played too: $(cat "$CTALLIX_CANBERRA_LOG")"
rm -f "$CTALLIX_CANBERRA_LOG"

# Wayland alone, worked through the accessibility bus (a session bus of the
# test's own, accessibility on from the start): 8 / = rings the sound
# theme's bell once per refusal, twice.
buses 1
launch bell env -u DISPLAY "$ctallix"
/usr/bin/python3 - "$started" <<'PYTHON' || fail "on Wayland alone: could not press 8 / = through AT-SPI"
import sys, time
import pyatspi
pid, end = int(sys.argv[1]), time.monotonic() + 10
while time.monotonic() < end:
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == pid]
    if apps and apps[0].childCount:
        window = apps[0][0]
        # Column 0's upper slot away from the beam (+5), its lower slot 3, divide, equals.
        for i in (50, 3, 86, 87):
            window[i].queryAction().doAction(0)
        sys.exit(0)
    time.sleep(0.05)
sys.exit(1)
PYTHON
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
