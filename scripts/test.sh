#!/usr/bin/env bash
# Installs what is missing, builds cTallix and runs every test through CTest.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake make g++ qt6-base-dev fonts-ipafont-gothic fonts-arphic-ukai fontconfig \
  libgtest-dev xvfb xauth x11-utils xdotool imagemagick libx11-dev libxtst-dev clang-format
jobs="$(nproc)"

echo "== build (gcc, warnings are errors)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"
