#!/usr/bin/env bash
# The window through the accessibility stack a screen reader uses: a session
# bus of its own, at-spi-bus-launcher and its registry, and a pyatspi client
# (at_spi_test.py) that turns accessibility on only after the program has
# started. Run under scripts/with-xvfb.sh.
# Usage: at_spi_test.sh CTALLIX [LANGUAGE]
set -uo pipefail
ctallix=$1 language=${2:-}
here=$(dirname "$0")
work=$(mktemp -d)
groups=()
stop() {
  for group in "${groups[@]}"; do kill -- "-$group" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
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
# Accessibility off, as in a session where no screen reader has run yet.
setsid /usr/libexec/at-spi-bus-launcher --a11y=0 --screen-reader=0 >/dev/null 2>&1 &
groups+=($!)

# English in a plain C locale, where the program must print nothing.
locale=()
[ -z "$language" ] && locale=(LC_ALL=C)
env LANGUAGE="$language" "${locale[@]}" setsid "$ctallix" >"$work/ctallix.log" 2>&1 &
program=$!
groups+=($program)
window() { window=$(xwininfo -root -tree | awk '/"cTallix"/ { print $1; exit }') && [ -n "$window" ]; }
poll window || { echo "FAIL: ctallix mapped no window"; cat "$work/ctallix.log"; exit 1; }
# In every language the window starts as the English one does, pixel for pixel.
start() { import -window "$window" "$work/start.png" 2>/dev/null &&
  compare -metric AE "$work/start.png" "$here/../../docs/screenshot.png" null: 2>/dev/null; }
failed=0
poll start || { echo "FAIL: the window starts unlike docs/screenshot.png"; failed=1; }

/usr/bin/python3 "$here/at_spi_test.py" "$program" "$language" || failed=1
[ ! -s "$work/ctallix.log" ] || { echo "FAIL: the program said: $(cat "$work/ctallix.log")"; failed=1; }
[ "$failed" -eq 0 ]
