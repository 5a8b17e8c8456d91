#!/usr/bin/env bash
# Builds cTallix for release and runs its benchmarks, printing the figures:
#   - launch: ctallix next to the toolkit's floor (a bare Qt window with one
#     label, bench/floor.cpp), xcalc and galculator, each started in turn on
#     one Xvfb (scripts/with-xvfb.sh) under one session bus: time to a mapped and painted window and
#     peak resident memory (bench/launch_bench.cpp). The goal: ctallix paints
#     no later than the floor and peaks within 1.15 times its memory and
#     within 30 MiB. ctallix starts with the start picture its warm-up run
#     left in the cache; first-start is ctallix with no cache it can read or
#     write, as at its very first start;
#   - per event: CPU time of a bead press, a beam click and an equals that
#     lays ten digits, through the real window on the offscreen platform
#     (bench/event_bench.cpp).
#
# Usage: bash bench/run.sh [BUILD_DIR]     (default: build-bench)
# RUNS=N sets the launches per program (default 11), REPS=N the repetitions
# per event (default 2000).
set -euo pipefail
cd "$(dirname "$0")/.."
# xfonts-base: the core X fonts that a Debian X desktop has (the xorg package
# depends on them) and xcalc draws with. Without them Xvfb has only its
# built-in "fixed" font, and xcalc, which then loads no font files, starts in
# about a sixth of its time on a desktop.
# The build is configured with the tests (the benchmarks come with them), so
# it needs clang-format and XTest too. dbus-daemon and dbus-bin: the session
# message bus every desktop session has.
bash scripts/deps.sh cmake make g++ pkgconf qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools gettext appstream libxcb1-dev libcanberra-dev libx11-dev libxtst-dev libfontconfig-dev fontconfig \
  clang-format fonts-ipafont-gothic fonts-arphic-ukai xvfb x11-apps xfonts-base galculator dbus-daemon dbus-bin

# A locale that LANG names and the system lacks (ja_JP.UTF-8, say) is made
# first, so that the programs start in it.
if [ -n "${LANG:-}" ] && [ "${LANG%%.*}" != C ] &&
  ! locale -a 2>/dev/null | grep -qix "${LANG%%.*}.utf8"; then
  localedef -i "${LANG%%.*}" -f UTF-8 "$LANG"
fi

build=${1:-build-bench}
mkdir -p "$build"
echo "== build ($build, Release)"
if ! { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF -DBUILD_TESTING=ON &&
  cmake --build "$build" -j"$(nproc)" --target ctallix ctallix_qt_floor ctallix_launch_bench ctallix_event_bench; } \
  >"$build/bench-build.log" 2>&1; then
  cat "$build/bench-build.log" >&2
  exit 1
fi

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}

peers=()
for peer in xcalc galculator; do
  if command -v "$peer" >/dev/null; then
    peers+=("$peer=$peer")
  else
    echo "note: $peer is not installed; launched without it"
  fi
done

echo
echo "== launch (LANG=${LANG:-}, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg))"
# Under a session message bus of their own, as in every desktop session.
# Without one, Qt's accessibility bridge has libdbus autolaunch a bus, which
# forks dbus-launch where it is installed (Debian dbus-x11) and gives up at
# once where it is not: the floor's time would depend on that package.
XVFB_SCREEN=1024x768x24 bash scripts/with-xvfb.sh dbus-run-session -- \
  "$build/bench/ctallix_launch_bench" --runs "${RUNS:-11}" --goal-faster-than qt-floor --goal-ratio 1 \
  --goal-rss-ratio 1.15 --goal-rss-mib 30 "ctallix=$build/ctallix" "qt-floor=$build/bench/ctallix_qt_floor" \
  "first-start=XDG_CACHE_HOME=/dev/null/none $build/ctallix" "${peers[@]}" \
  2> >(grep -v "^dbus-daemon" >&2)

echo
echo "== per event"
QT_QPA_PLATFORM=offscreen "$build/bench/ctallix_event_bench" "${REPS:-2000}"
