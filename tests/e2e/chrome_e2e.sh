#!/bin/bash
# The window's chrome on a real X server with a tray host: the tray icon appears, a second start
# hands its file over and ends, a second start without argument brings the window back, ten starts
# at once leave one running. Takes the screenshots of docs/screenshots/ on the way.
# Usage: chrome_e2e.sh NARRIX SCREEN_GRAB SCREENSHOT_DIR
set -u
NARRIX=$1 GRAB=$2 SHOTS=$3
ROOT=$(mktemp -d)
mkdir -p "$ROOT/run" "$ROOT/data" "$ROOT/config/Quillmark" "$SHOTS"
chmod 700 "$ROOT/run"
export XDG_RUNTIME_DIR=$ROOT/run XDG_CONFIG_HOME=$ROOT/config NARRIX_DATA_DIR=$ROOT/data
export NARRIX_AUDIO=null NARRIX_SPEECH_LOG=$ROOT/speech.log
# No session bus: without one, libdbus would start one per display for the accessibility bridge, and
# ten programs starting at once can wait on that for ever. The tray is the X11 one of trayer.
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset QT_QPA_PLATFORM
PIDS=()
cleanup() { for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$ROOT"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$ROOT/narrix.log" "$ROOT/xvfb.log" "$ROOT/trayer.log"; xwininfo -root -tree | head -30; exit 1; }

Xvfb -noreset -displayfd 3 -screen 0 1024x700x24 -nolisten tcp 3>"$ROOT/display" 2>"$ROOT/xvfb.log" &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$ROOT/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$ROOT/display")
trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
  --transparent false --tint 0x303030 >"$ROOT/trayer.log" 2>&1 &
PIDS+=($!)

settings() { printf '[General]\nTheme=%s\nTaskbarButton=False\nShowTips=False\n%s' "$1" "${2:-}" \
  >"$ROOT/config/Quillmark/Narrix.conf"; }
# Waits up to 20 seconds: the machine may be busy with other builds.
wait_for() { for _ in $(seq 400); do eval "$1" && return 0; sleep 0.05; done; return 1; }
tray_icon_shown() { xwininfo -root -tree | sed -n '/"panel": ("panel" "trayer")/,/("trayer" "Trayer")/p' |
  grep -q '("narrix"'; }
running() { local n=0; for p in $(pgrep -x narrix); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$ROOT/run" && n=$((n + 1)); done; echo $n; }
# The main window: the tray icon's embedded window bears the same name, so take the one of a
# window's size.
main_window() { for w in $(xdotool search --onlyvisible --name '^Narrix$'); do
  [ "$(xwininfo -id "$w" | sed -n 's/^ *Width: //p')" -gt 100 ] && echo "$w" && return; done; }
start() { "$NARRIX" "$@" >>"$ROOT/narrix.log" 2>&1 & PIDS+=($!); }
stop_all() { for p in $(pgrep -x narrix); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$ROOT/run" && kill "$p"; done
  wait_for '[ "$(running)" = 0 ]'; }

wait_for 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"' || fail "trayer did not start"

# The tray icon in three themes, and the window.
for theme in 0 5 8; do
  settings $theme
  start
  wait_for tray_icon_shown || fail "no tray icon for theme $theme"
  sleep 0.5
  "$GRAB" "$SHOTS/tray-theme-$theme.png" 824 0 200 32 || fail "screenshot"
  if [ $theme = 0 ]; then
    "$GRAB" "$SHOTS/window-light.png" || fail "screenshot"
  fi
  stop_all
done

# A second start with a file: it ends with status 0 and leaves PassFile to the running one.
settings 2
start
wait_for tray_icon_shown || fail "no tray icon"
wait_for 'grep -q "\"done\"" "$ROOT/speech.log"' || fail "no greeting"
echo "Hello from the second start." >"$ROOT/hello.txt"
timeout 10 "$NARRIX" "$ROOT/hello.txt" || fail "second start ended with $?"
grep -q "^PassFile=$ROOT/hello.txt" "$ROOT/config/Quillmark/Narrix.conf" || fail "PassFile not stored"
[ "$(running)" = 1 ] || fail "$(running) instances after the hand-over"
wait_for 'grep -q "\"source\":5.*Hello from the second start" "$ROOT/speech.log"' ||
  fail "the running instance did not speak the handed-over file"
[ "$(running)" = 1 ] || fail "the running instance ended after speaking the handed-over file"

# Minimised to the tray, a second start without argument brings the window back.
WIN=$(main_window)
xdotool mousemove 1012 16 click 1
wait_for 'xwininfo -id $WIN | grep -q "IsUnMapped"' || fail "a tray click did not minimise to the tray"
timeout 10 "$NARRIX" || fail "second start without argument ended with $?"
wait_for 'xwininfo -id $WIN | grep -q "IsViewable"' || fail "window not back"

# Hidden in the tray, the tray menu's Exit ends the program as File > Exit does, settings saved.
# (The window manager-less server reports the restored state a moment after the window maps.)
sleep 1
xdotool mousemove 1012 16 click 1
wait_for 'xwininfo -id $WIN | grep -q "IsUnMapped"' || fail "a tray click after the window came back did not minimise it to the tray"
sed -i '/^WindowState=/d' "$ROOT/config/Quillmark/Narrix.conf"
shown=$(xdotool search --onlyvisible --class narrix | wc -l)
xdotool mousemove 1012 16 click 3
wait_for '[ "$(xdotool search --onlyvisible --class narrix | wc -l)" -gt "$shown" ]' || fail "no tray menu"
xdotool key x
wait_for '[ "$(running)" = 0 ]' || fail "the tray's Exit did not end the program"
grep -q '^WindowState=' "$ROOT/config/Quillmark/Narrix.conf" || fail "the tray's Exit saved no settings"

# Ten starts at once leave one running; a killed instance's socket does not fool the next start.
for _ in $(seq 10); do start; done
wait_for '[ "$(running)" = 1 ]' || fail "$(running) instances after ten starts"
# A start that was slow to begin (a sanitizer build, busy cores) may show up late: it must end too.
sleep 1
wait_for '[ "$(running)" = 1 ]' || fail "$(running) instances after ten starts"
for p in $(pgrep -x narrix); do
  tr '\0' '\n' <"/proc/$p/environ" | grep -qx "XDG_RUNTIME_DIR=$ROOT/run" && kill -9 "$p"; done
wait_for '[ "$(running)" = 0 ]'
[ -S "$ROOT/run/Narrix" ] || fail "no socket left behind by the killed instance"
start
wait_for tray_icon_shown || fail "no start after a killed instance"
timeout 10 "$NARRIX"
[ "$(running)" = 1 ] || fail "$(running) instances after a start past the stale socket"
echo "chrome end-to-end: passed"
