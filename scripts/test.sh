#!/usr/bin/env bash
# Runs the whole test suite (ctest) in build/. Tests that need servers (PulseAudio, HTTP, dovecot,
# tinyproxy) start and stop them through ctest fixtures; this script provides the private runtime
# folder and the offscreen Qt platform they share, and removes both afterwards.
# Usage: scripts/test.sh [build-folder] [extra ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
shift || true
[ -f "$BUILD/CTestTestfile.cmake" ] || { echo "no build in $BUILD: run scripts/setup.sh first" >&2; exit 2; }
export NARRIX_TEST_RUNTIME
NARRIX_TEST_RUNTIME=$(mktemp -d /tmp/narrix-test.XXXXXX)
chmod 700 "$NARRIX_TEST_RUNTIME"
export XDG_RUNTIME_DIR="$NARRIX_TEST_RUNTIME"
export XDG_CONFIG_HOME="$NARRIX_TEST_RUNTIME/config"
export XDG_CACHE_HOME="$NARRIX_TEST_RUNTIME/cache"
export QT_QPA_PLATFORM=offscreen
export NARRIX_AUDIO=${NARRIX_AUDIO:-null}
# For a sanitized build: leaks of system libraries that are not ours (tests/lsan.supp).
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp print_suppressions=0 ${LSAN_OPTIONS:-}"
# libspeechd looks for each line of the service's voice list with strstr from the line on, which the
# sanitizer's checking wrapper makes quadratic (minutes for 13,000 voices).
export ASAN_OPTIONS="intercept_strstr=0 ${ASAN_OPTIONS:-}"
cleanup() {
  # Fixtures stop their own servers; this catches any left behind by an aborted run.
  if [ -f "$NARRIX_TEST_RUNTIME/pulse/pid" ]; then kill "$(cat "$NARRIX_TEST_RUNTIME/pulse/pid")" 2>/dev/null || true; fi
  # speech-dispatcher, started by the engine tests that play on the sound card, with its modules.
  speechd_pid="$NARRIX_TEST_RUNTIME/speech-dispatcher/pid/speech-dispatcher.pid"
  if [ -f "$speechd_pid" ]; then kill "$(cat "$speechd_pid")" 2>/dev/null || true; fi
  for pidfile in "$NARRIX_TEST_RUNTIME"/*.pid; do
    [ -f "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  rm -rf "$NARRIX_TEST_RUNTIME"
}
trap cleanup EXIT
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" "$@"
