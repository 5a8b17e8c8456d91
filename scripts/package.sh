#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, builds a Release tree
# without the tests in build-package/ with Debian's hardening flags, and
# writes build-package/ctallix_<version>_<arch>.deb with CPack. As root:
#   apt-get install ./build-package/ctallix_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# dpkg-dev and file: dpkg-shlibdeps and the ELF detection CPack runs before it.
bash scripts/deps.sh cmake make g++ pkgconf qt6-base-dev qt6-base-private-dev qt6-tools-dev qt6-l10n-tools gettext appstream libxcb1-dev libcanberra-dev libfontconfig-dev dpkg-dev file
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/ctallix_*_"$(dpkg --print-architecture)".deb
