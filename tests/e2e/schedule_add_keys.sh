#!/usr/bin/env bash
# Drives the real narrix under a private X server with keys alone: Ctrl+D opens the item editor, the
# title and address are typed, Enter accepts, SIGTERM closes the program, and schedule.nxl holds
# the new item.
# Usage: schedule_add_keys.sh NARRIX_EXECUTABLE
set -euo pipefail
exe=$1
root=$(mktemp -d /tmp/narrix-e2e-keys.XXXXXX)
xvfb_pid= narrix_pid=
cleanup() {
  [ -n "$narrix_pid" ] && kill "$narrix_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$root/narrix.err" ] && cat "$root/narrix.err" >&2; exit 1; }

# A display number nobody else uses: the server picks it and writes it to the pipe.
mkfifo "$root/display"
Xvfb -noreset -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$root/display" 2>"$root/xvfb.err" &
xvfb_pid=$!
read -r -t 20 display <"$root/display" || fail "Xvfb did not start"
export DISPLAY=":$display"

mkdir -p "$root/config/Quillmark" "$root/data" "$root/runtime"
chmod 700 "$root/runtime"
# Not a first start and no tip: no box stands in front of the window.
printf '[General]\nFontCharset=0\nShowTips=False\n' >"$root/config/Quillmark/Narrix.conf"
export XDG_CONFIG_HOME="$root/config" NARRIX_DATA_DIR="$root/data" XDG_RUNTIME_DIR="$root/runtime"
export NARRIX_AUDIO=null QT_QPA_PLATFORM=xcb NARRIX_STARTUP_PROBE=1
# No session bus: without one, libdbus starts one per display for Qt's accessibility bridge, and the
# program can wait on that start for ever.
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset NARRIX_SPEECH_LOG

"$exe" 2>"$root/narrix.err" &
narrix_pid=$!
for _ in $(seq 200); do
  grep -q "narrix: shown after" "$root/narrix.err" 2>/dev/null && break
  sleep 0.05
done
grep -q "narrix: shown after" "$root/narrix.err" || fail "narrix did not show its window"

main=$(xdotool search --sync --pid "$narrix_pid" --name '^Narrix$' | head -1)
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers ctrl+d
editor=$(timeout 10 xdotool search --sync --name '^Add/Edit Scheduled Speech$' | head -1) || fail "no item editor"
xdotool windowfocus --sync "$editor"
xdotool type --delay 5 'Evening News'
xdotool key Tab
xdotool type --delay 5 'http://example.org/evening'
xdotool key Return
for _ in $(seq 100); do
  xdotool search --name '^Add/Edit Scheduled Speech$' >/dev/null 2>&1 || break
  sleep 0.05
done

kill -TERM "$narrix_pid"
wait "$narrix_pid" || fail "narrix did not end cleanly"
narrix_pid=
list="$root/data/schedule.nxl"
[ -f "$list" ] || fail "no schedule.nxl"
grep -q $'^\[Evening News\]\r$' "$list" || fail "the item is not in schedule.nxl: $(cat "$list")"
grep -q $'^FileName=http://example.org/evening\r$' "$list" || fail "wrong address: $(cat "$list")"
grep -q $'^General=00:00 - Daily\r$' "$list" || fail "wrong schedule: $(cat "$list")"
echo "PASS"
