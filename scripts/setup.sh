#!/usr/bin/env bash
# Installs the Debian packages Narrix needs and builds it into build/ (warnings are errors).
# Usage: scripts/setup.sh            (as root, or with sudo available)
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update
# shellcheck disable=SC2046
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -o DPkg::Lock::Timeout=600 \
  $(grep -v '^#' scripts/packages.txt)
# ccache, when installed, makes rebuilds in several build folders cheap; the build works without it.
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARRIX_WERROR=ON "${LAUNCHER[@]}"
cmake --build build -j "$(nproc)"
