#!/usr/bin/env bash
# Starts (start) or stops (stop) a private PulseAudio server with two null sinks for the audio-path
# tests: "nullsink" (the default, "NullSink") and "othersink" ("OtherSink"). Everything lives in $XDG_RUNTIME_DIR (scripts/test.sh points it at the run's
# private folder); the server's pid is in $XDG_RUNTIME_DIR/pulse/pid.
set -euo pipefail
: "${XDG_RUNTIME_DIR:?run the tests through scripts/test.sh}"
case "${1:-}" in
start)
  if pactl info >/dev/null 2>&1; then
    pactl list short sinks | grep -q nullsink && exit 0
  fi
  pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
    --load="module-null-sink sink_name=nullsink sink_properties=device.description=NullSink" \
    --load="module-null-sink sink_name=othersink sink_properties=device.description=OtherSink" \
    --load="module-native-protocol-unix" --log-target="file:$XDG_RUNTIME_DIR/pulse.log"
  for _ in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then
      pactl set-default-sink nullsink
      exit 0
    fi
    sleep 0.05
  done
  echo "PulseAudio did not come up; see $XDG_RUNTIME_DIR/pulse.log" >&2
  exit 1
  ;;
stop)
  pidfile="$XDG_RUNTIME_DIR/pulse/pid"
  if [ -f "$pidfile" ]; then
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || exit 0
      sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  ;;
*)
  echo "usage: $0 start|stop" >&2
  exit 2
  ;;
esac
