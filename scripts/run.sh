#!/usr/bin/env bash
# Installs what is missing, builds cTallix and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake make g++ pkgconf qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools gettext appstream libxcb1-dev libcanberra-dev libfontconfig-dev \
  fonts-ipafont-gothic fonts-arphic-ukai fontconfig
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target ctallix -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "ctallix: no graphical display (DISPLAY is not set); built build/ctallix but cannot open its window" >&2
  exit 1
fi
exec build/ctallix
