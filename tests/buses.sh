# Sourced by the accessibility and session tests: a work
# directory, processes started each in a process group of its own that stop
# on every way out, a bounded poll, and the buses a screen reader uses.
#   launch NAME COMMAND...  starts COMMAND in a group of its own (output to
#                           $work/NAME.log); its group id is in $started
#   buses A11Y              a session bus of its own and at-spi-bus-launcher,
#                           accessibility and the screen reader on (1) or off (0)
#   before_stop             a function the test may define, run first on exit
work=$(mktemp -d)
groups=()
# Every group gets TERM, newest first, and KILL if it still runs after 2 s.
# The shell's notices of killed jobs go nowhere.
stop() {
  local i alive group
  declare -F before_stop >/dev/null && before_stop
  for ((i = ${#groups[@]} - 1; i >= 0; i--)); do kill -- "-${groups[i]}"; done
  for ((i = 0; i < 40; i++)); do
    alive=0
    for group in "${groups[@]}"; do kill -0 -- "-$group" && alive=1; done
    [ "$alive" -eq 0 ] && break
    sleep 0.05
  done
  for group in "${groups[@]}"; do kill -KILL -- "-$group"; done
  wait
  rm -rf "$work"
} 2>/dev/null
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls for up to 10 s until COMMAND succeeds.
poll() { for ((i = 0; i < 200; i++)); do "$@" && return 0; sleep 0.05; done; return 1; }

launch() {
  local name=$1
  shift
  setsid "$@" >"$work/$name.log" 2>&1 &
  started=$!
  groups+=("$started")
}

buses() {
  setsid dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
  groups+=($!)
  poll test -s "$work/bus" || { echo "FAIL: no session bus"; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
  launch bus-launcher /usr/libexec/at-spi-bus-launcher --a11y="$1" --screen-reader="$1"
}
