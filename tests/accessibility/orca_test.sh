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
orca=
source "$here/../buses.sh"
# Orca first, with KILL: it handles TERM in Python, which runs only when an
# AT-SPI event wakes it, and it has nothing to save.
before_stop() {
  [ -z "$orca" ] || kill -KILL -- "-$orca"
  # ORCA_TEST_LOG=FILE keeps Orca's whole debug log for a closer look.
  [ -z "${ORCA_TEST_LOG:-}" ] || cp "$work/orca.log" "$ORCA_TEST_LOG"
}
# Accessibility and the screen reader on from the start, as in a session
# where Orca runs.
buses 1
# Orca's settings, and what GTK and GLib keep, stay in the test's directory.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
launch openbox openbox --sm-disable
# Openbox names its theme on the root window once it has read its
# configuration; a window mapped before that stays unmanaged and unfocused.
themed() { xprop -root _OB_THEME | grep -q =; }
poll themed || { echo "FAIL: openbox did not start"; exit 1; }

# In a plain C locale, where the program must print nothing.
launch ctallix env LC_ALL=C "$ctallix"
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
# 100 ms for the screen reader's verdict on each key and says so (its
# QSpiApplication lines) when Orca, busy presenting the last press, answers
# later (the rows above judge its timing); Qt 6.8 does not know Orca 48's
# subscription to destroyed windows.
said=$(grep -v -e '^QSpiApplication::' -e 'Subscription string not handled' "$work/ctallix.log")
[ -z "$said" ] || { echo "FAIL: the program said: $said"; failed=1; }
[ "$failed" -eq 0 ]
