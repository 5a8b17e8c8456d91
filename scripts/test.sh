#!/usr/bin/env bash
# Installs what is missing, builds cTallix and runs every test through CTest,
# in three stages: the program and all its tests (gcc, warnings are errors);
# the core under AddressSanitizer and UndefinedBehaviorSanitizer (clang); and
# libFuzzer on whole event sequences (CTALLIX_FUZZ_SECONDS, default 30). Ends
# with one line that sums up every stage; exits non-zero if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake make g++ pkgconf qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools gettext libxcb1-dev libcanberra-dev libfontconfig-dev fonts-ipafont-gothic \
  fonts-arphic-ukai fontconfig fonts-dejavu-core locales xvfb libx11-dev libxtst-dev clang-format \
  desktop-file-utils lintian appstream dpkg-dev file clang libclang-rt-dev imagemagick weston xwayland \
  qt6-wayland dbus-daemon at-spi2-core python3-pyatspi x11-utils qt6-translations-l10n \
  orca openbox xdotool || exit 1
jobs=$(nproc)
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# stage NAME BUILD_DIR BUILD_COMMAND CTEST_ARGS...: builds, runs the tests, adds up.
stage() {
  local name=$1 dir=$2 build=$3 start=$SECONDS
  shift 3
  echo "== $name"
  if ! bash -c "$build" >"$log" 2>&1; then
    cat "$log"
    echo "   $name: the build failed"
    failed=$((failed + 1))
    return
  fi
  ctest "$@" --output-on-failure -j"$jobs" 2>&1 | tee "$log"
  local summary
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log")
  if [ -z "$summary" ]; then
    echo "   $name: CTest gave no summary"
    failed=$((failed + 1))
    return
  fi
  local total bad
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  grep -hE '^(checker seed|stat::number_of_executed_units)' "$dir/Testing/Temporary/LastTest.log" |
    sed 's/^/   /'
  echo "   $name: $((total - bad)) passed, $bad failed in $((SECONDS - start)) s"
}

stage "program and tests (gcc, warnings are errors)" build \
  "cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
     -DBUILD_TESTING=ON && cmake --build build -j$jobs" \
  --test-dir build
stage "core under ASan and UBSan (clang)" build-asan \
  "cmake --preset asan && cmake --build --preset asan -j$jobs" \
  --preset asan
stage "fuzzing (clang, libFuzzer, ASan and UBSan)" build-fuzz \
  "cmake --preset fuzz -DCTALLIX_FUZZ_SECONDS=${CTALLIX_FUZZ_SECONDS:-30} && \
     cmake --build --preset fuzz -j$jobs" \
  --preset fuzz

echo "all stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
