#!/usr/bin/env bash
# The window worked from the keyboard alone while the real Orca listens: a
# session bus of its own, the accessibility bus with the screen reader on,
# openbox (which gives the window the input focus), the program, and Orca
# writing its debug log; orca_test.py then types the rows of its table with
# XTest and reads what Orca says from that log. Run under scripts/with-xvfb.sh.
# Usage: orca_test.sh CTALLIX
set -uo pipefail
ctallix=$1
here=$(dirname "$0")
work=$(mktemp -d)
groups=()
orca=
# Orca first, with KILL: it handles TERM in Python, which runs only when an
# AT-SPI event wakes it, and it has nothing to save. Then every other group
# gets TERM, newest first, and KILL if it still runs after 2 s. The shell's
# notices of killed jobs go nowhere.
stop() {
  local i alive
  [ -z "$orca" ] || kill -KILL -- "-$orca"
  for ((i = ${#groups[@]} - 1; i >= 0; i--)); do kill -- "-${groups[i]}"; done
  for ((i = 0; i < 40; i++)); do
    alive=0
    for group in "${groups[@]}"; do kill -0 -- "-$group" && alive=1; done
    [ "$alive" -eq 0 ] && break
    sleep 0.05
  done
  for group in "${groups[@]}"; do kill -KILL -- "-$group"; done
  wait
  # ORCA_TEST_LOG=FILE keeps Orca's whole debug log for a closer look.
  [ -z "${ORCA_TEST_LOG:-}" ] || cp "$work/orca.log" "$ORCA_TEST_LOG"
  rm -rf "$work"
} 2>/dev/null
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls for up to 10 s until COMMAND succeeds.
poll() { for ((i = 0; i < 200; i++)); do "$@" && return 0; sleep 0.05; done; return 1; }

# Each in a process group of its own, so that what it starts stops with it.
setsid dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
groups+=($!)
poll test -s "$work/bus" || { echo "FAIL: no session bus"; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
# Accessibility and the screen reader on from the start, as in a session
# where Orca runs.
setsid /usr/libexec/at-spi-bus-launcher --a11y=1 --screen-reader=1 >/dev/null 2>&1 &
groups+=($!)
# Orca's settings, and what GTK and GLib keep, stay in the test's directory.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
setsid openbox --sm-disable >/dev/null 2>&1 &
groups+=($!)
# Openbox names its theme on the root window once it has read its
# configuration; a window mapped before that stays unmanaged and unfocused.
themed() { xprop -root _OB_THEME | grep -q =; }
poll themed || { echo "FAIL: openbox did not start"; exit 1; }

# In a plain C locale, where the program must print nothing.
env LC_ALL=C setsid "$ctallix" >"$work/ctallix.log" 2>&1 &
groups+=($!)
active() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = cTallix ]; }
poll active || { echo "FAIL: the cTallix window never became active"; cat "$work/ctallix.log"; exit 1; }

# Orca with its own preferences directory. Its debug log is a block-buffered
# file; the customization below, which Orca imports at start, makes it
# line-buffered, so that each spoken line is in the file when Orca says it.
# Speech Dispatcher is asked for at a socket nobody serves, with a spawn
# command that fails: Orca reads "Speech Dispatcher service failed to connect",
# speaks through no server (not the desktop's either) and still logs every
# "SPEECH OUTPUT" it would have sent.
mkdir -p "$work/orca"
: >"$work/orca.log"
echo 'import orca.debug; orca.debug.debugFile.reconfigure(line_buffering=True)' \
  >"$work/orca/orca-customizations.py"
# Orca refuses to start while `pgrep -u UID -x orca` finds another Orca of the
# user, on any display; the pgrep it finds first on its PATH looks only in its
# own session, so the desktop's Orca or another run of this test is no bar.
mkdir "$work/bin"
printf '#!/bin/sh\nexec /usr/bin/pgrep -s 0 "$@"\n' >"$work/bin/pgrep"
chmod +x "$work/bin/pgrep"
PATH=$work/bin:$PATH SPEECHD_ADDRESS=unix_socket:$work/speechd.sock SPEECHD_CMD=/bin/false \
  setsid orca --user-prefs "$work/orca" --debug-file "$work/orca.log" >"$work/orca.out" 2>&1 &
orca=$!

failed=0
/usr/bin/python3 "$here/orca_test.py" "$work/orca.log" "$work/orca.out" || failed=1
# Qt's words on what Orca asks of it are not the program's: Qt 6.4 waits
# 100 ms for the screen reader's verdict on each key and says so when Orca,
# busy presenting the last press, answers later (the rows above judge its
# timing); Qt 6.8 does not know Orca 48's subscription to destroyed windows.
said=$(grep -v -e 'QSpiApplication::keyEventError' -e 'Subscription string not handled' "$work/ctallix.log")
[ -z "$said" ] || { echo "FAIL: the program said: $said"; failed=1; }
[ "$failed" -eq 0 ]
