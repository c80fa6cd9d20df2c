#!/usr/bin/env bash
# Builds the Debian package narrix_VERSION_ARCH.deb with CPack from a release build in build-package/
# (or the folder given), and prints its path.
# Usage: scripts/package.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-package}
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DNARRIX_BENCH=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
(cd "$BUILD" && cpack -G DEB >/dev/null)
ls "$BUILD"/narrix_*.deb
