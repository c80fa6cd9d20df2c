#!/usr/bin/env bash
# Starts an X server on a free display and a private session bus with the accessibility bus, runs
# narrix there with accessibility on, and reads its window through AT-SPI (atspi_names.py).
# Usage: atspi_test.sh NARRIX_EXE
set -euo pipefail
EXE=$1
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/narrix-atspi.XXXXXX")
XVFB_PID=
cleanup() {
  # Waited for: a server still ending could take its socket away from the next test's server.
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; } || true
  rm -rf "$WORK"
}
trap cleanup EXIT

mkfifo "$WORK/displayfd"
# -noreset: a server resets when its last client leaves (the accessibility launcher, after it has
# published its bus), and a client connecting meanwhile is refused.
Xvfb -noreset -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/displayfd" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
read -r -t 20 DISPLAY_NUMBER <"$WORK/displayfd" || { cat "$WORK/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$DISPLAY_NUMBER"

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export NARRIX_DATA_DIR="$WORK/data" NARRIX_AUDIO=null QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$HOME" "$NARRIX_DATA_DIR"
# The session bus lives as long as the inner script; the accessibility bus starts on it.
dbus-run-session -- bash -c '
  set -uo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  LAUNCHER=$!
  NARRIX_STARTUP_PROBE=1 "$0" 2>"$1/narrix.err" &
  NARRIX=$!
  for _ in $(seq 300); do grep -q "shown after" "$1/narrix.err" && break; sleep 0.1; done
  /usr/bin/python3 "$2/atspi_names.py"
  status=$?
  kill -TERM "$NARRIX" 2>/dev/null
  # The text typed by the check is unsaved: the first request asks about it, a second one ends.
  for _ in $(seq 30); do kill -0 "$NARRIX" 2>/dev/null || break; sleep 0.1; done
  kill -TERM "$NARRIX" 2>/dev/null
  wait "$NARRIX"
  kill "$LAUNCHER" 2>/dev/null
  [ $status -eq 0 ] || cat "$1/narrix.err"
  exit $status
' "$EXE" "$WORK" "$HERE"
