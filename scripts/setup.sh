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
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNARRIX_WERROR=ON
cmake --build build -j "$(nproc)"
