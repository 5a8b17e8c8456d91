#!/usr/bin/env bash
# Installs what is missing, builds cTallix and runs every test through CTest.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake make g++ pkgconf qt6-base-dev libxcb1-dev fonts-ipafont-gothic fonts-arphic-ukai fontconfig \
  libgtest-dev locales xvfb xauth x11-utils xdotool imagemagick libx11-dev libxtst-dev clang-format \
  libfontconfig-dev fonts-dejavu-core desktop-file-utils
jobs="$(nproc)"

echo "== build (gcc, warnings are errors)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DBUILD_TESTING=ON >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"

# The core again, built with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (any finding aborts the test): the core tests,
# the corpus replays and the event storm (4 seeds x 1,000,000 events).
echo "== sanitizer build (clang, ASan + UBSan, core only)"
stage_start=$SECONDS
bash scripts/deps.sh clang libclang-rt-14-dev
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"
awk '/^storm seed/ { print "   " $0; events += $4; checks += $8 }
     END { printf "   storm: %.0f events, %.0f invariant checks in all\n", events, checks }' \
  build-asan/Testing/Temporary/LastTest.log
echo "   sanitizer stage: $((SECONDS - stage_start)) s"

# libFuzzer on the number reader, the formatting, LayNumber and the whole core
# (each target CTALLIX_FUZZ_SECONDS, default 60), starting from tests/fuzz/corpus.
echo "== fuzzing (clang, libFuzzer + ASan + UBSan)"
stage_start=$SECONDS
cmake --preset fuzz -DCTALLIX_FUZZ_SECONDS="${CTALLIX_FUZZ_SECONDS:-60}" >/dev/null
cmake --build --preset fuzz -j"$jobs"
ctest --preset fuzz -j"$jobs"
awk '/ Testing: fuzz\./ { target = $3 }
     /^stat::number_of_executed_units:/ { print "   " target ": " $2 " executions" }' \
  build-fuzz/Testing/Temporary/LastTest.log
echo "   fuzzing stage: $((SECONDS - stage_start)) s"
