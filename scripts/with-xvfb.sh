#!/usr/bin/env bash
# Runs a command on an X server of its own, the one way every test and
# benchmark here gets a display:
#   bash scripts/with-xvfb.sh COMMAND [ARGS...]
# Starts Xvfb on a free display number (Xvfb picks it and reports it through
# -displayfd), runs COMMAND with DISPLAY set to it, and stops the server on
# every path, the command's failure or a signal included. Exits with the
# command's status. XVFB_SCREEN sets the screen (default 1280x1024x24).
set -euo pipefail
dir=$(mktemp -d)
xvfb=
stop() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb's own output goes to a file, so it never holds the caller's pipes.
: >"$dir/display"
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
  3>"$dir/display" >"$dir/log" 2>&1 &
xvfb=$!

# Xvfb writes the display number and a newline once it accepts clients.
for ((tries = 0; tries < 200; tries++)); do
  if [ "$(wc -l <"$dir/display")" -ge 1 ]; then break; fi
  if ! kill -0 "$xvfb" 2>/dev/null; then
    echo "with-xvfb: Xvfb exited before it took clients:" >&2
    cat "$dir/log" >&2
    exit 1
  fi
  sleep 0.05
done
number=$(tr -d '\n' <"$dir/display")
if [ -z "$number" ]; then
  echo "with-xvfb: Xvfb reported no display number within 10 s:" >&2
  cat "$dir/log" >&2
  exit 1
fi

# Programs on this display keep their runtime files here unless told
# otherwise, and their caches (cTallix's start pictures) here always: each
# run starts from none, and leaves none behind.
mkdir -m 700 "$dir/runtime"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$dir/runtime} XDG_CACHE_HOME=$dir/cache
status=0
DISPLAY=":$number" "$@" || status=$?
exit "$status"
