#!/usr/bin/env bash
# The window through the accessibility stack a screen reader uses: a session
# bus of its own, at-spi-bus-launcher and its registry, and a pyatspi client
# (at_spi_test.py) that turns accessibility on only after the program has
# started. Run under scripts/with-xvfb.sh.
# Usage: at_spi_test.sh CTALLIX [LANGUAGE]
set -uo pipefail
ctallix=$1 language=${2:-}
here=$(dirname "$0")
source "$here/../buses.sh"
# Accessibility off, as in a session where no screen reader has run yet.
buses 0

# English in a plain C locale, where the program must print nothing.
locale=()
[ -z "$language" ] && locale=(LC_ALL=C)
launch ctallix env LANGUAGE="$language" "${locale[@]}" "$ctallix"
program=$started
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
