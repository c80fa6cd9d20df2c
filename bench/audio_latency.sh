#!/usr/bin/env bash
# Audible latency with the cores loaded: starts a private PulseAudio server (null sink, debug log for
# underruns) and one busy loop per core, then runs bench_audio_latency for the buffer sizes given.
# Usage: bench/audio_latency.sh [BUILD] [ROUNDS] [STREAM...]   (defaults: build 5 qt:100 pulse:30)
# The server's log is kept in $NARRIX_LATENCY_LOG when that is set. With NARRIX_LATENCY_AS=USER (run as
# root) the server and the benchmark run as that user, without the right to real-time priority.
set -euo pipefail
BUILD=${1:-build}
ROUNDS=${2:-5}
shift 2 || true
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(qt:100 pulse:30)
XDG_RUNTIME_DIR=$(mktemp -d /tmp/narrix-latency.XXXXXX)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
AS=()
if [ -n "${NARRIX_LATENCY_AS:-}" ]; then
  chown "$NARRIX_LATENCY_AS" "$XDG_RUNTIME_DIR"
  AS=(setpriv --reuid="$NARRIX_LATENCY_AS" --regid="$(id -g "$NARRIX_LATENCY_AS")" --clear-groups
      env HOME="$XDG_RUNTIME_DIR" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR")
fi
LOAD_PIDS=()
cleanup() {
  for pid in "${LOAD_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -f "$XDG_RUNTIME_DIR/pulse/pid" ] && kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  sleep 0.3
  [ -n "${NARRIX_LATENCY_LOG:-}" ] && cp "$XDG_RUNTIME_DIR/pulse.log" "$NARRIX_LATENCY_LOG"
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
"${AS[@]}" pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n --log-level=debug \
  --load="module-null-sink sink_name=nullsink sink_properties=device.description=NullSink" \
  --load="module-native-protocol-unix" --log-target="file:$XDG_RUNTIME_DIR/pulse.log"
for _ in $(seq 1 100); do "${AS[@]}" pactl info >/dev/null 2>&1 && break; sleep 0.05; done
"${AS[@]}" pactl set-default-sink nullsink
for _ in $(seq 1 "${NARRIX_LATENCY_LOAD:-$(nproc)}"); do
  bash -c 'while :; do :; done' &
  LOAD_PIDS+=($!)
done
echo "load: ${NARRIX_LATENCY_LOAD:-$(nproc)} busy loops; load average $(cut -d' ' -f1-3 /proc/loadavg)"
unset NARRIX_AUDIO
"${AS[@]}" "$BUILD/bench/bench_audio_latency" "$XDG_RUNTIME_DIR/pulse.log" "$ROUNDS" "${SIZES[@]}"
