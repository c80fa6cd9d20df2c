#!/usr/bin/env bash
# Play to the first sound on the monitor of a PulseAudio null sink, with one core loaded: starts a
# private server and a busy loop, then runs bench_first_sound ROUNDS times for each voice (a fresh
# process each time: its first Play and PLAYS-1 later ones), and prints the median and the 95th
# percentile of each voice's first and later Plays.
# Usage: bench/first_sound.sh [BUILD] [ROUNDS] [PLAYS] [DOCUMENT_KIB] [qt]
set -euo pipefail
BUILD=${1:-build}
ROUNDS=${2:-10}
PLAYS=${3:-5}
KIB=${4:-64}
STREAM=${5:-}
VOICES=("English (America) (espeak-ng)" "SLT, American English female (flite)")
XDG_RUNTIME_DIR=$(mktemp -d /tmp/narrix-first-sound.XXXXXX)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
LOAD_PIDS=()
cleanup() {
  for pid in "${LOAD_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -f "$XDG_RUNTIME_DIR/pulse/pid" ] && kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  sleep 0.3
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
  --load="module-null-sink sink_name=nullsink sink_properties=device.description=NullSink" \
  --load="module-native-protocol-unix" --log-target="file:$XDG_RUNTIME_DIR/pulse.log"
for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl set-default-sink nullsink
for _ in $(seq 1 "${NARRIX_FIRST_SOUND_LOAD:-1}"); do
  bash -c 'while :; do :; done' &
  LOAD_PIDS+=($!)
done
unset NARRIX_AUDIO
RESULTS="$XDG_RUNTIME_DIR/results"
for _ in $(seq 1 "$ROUNDS"); do
  for voice in "${VOICES[@]}"; do
    "$BUILD/bench/bench_first_sound" "$voice" "$PLAYS" "$KIB" $STREAM | sed "s/^/${voice%% *} /" >>"$RESULTS"
  done
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg); ${ROUNDS} processes per voice, ${PLAYS} Plays each"
# Columns: voice's first word, first|later, Play number, Play to heard (ms), Play to OnSpeakingStarted.
awk '
  function pct(list, n, p,   i, j, t, a) {
    split(list, a, " "); for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    i = int(p * (n - 1) + 0.5) + 1; return a[i] }
  { key = $1 " " $2; heard[key] = heard[key] " " $4; start[key] = start[key] " " $5; n[key]++ }
  END { printf "%-22s %6s %14s %14s %22s\n", "voice, Play", "count", "heard median", "heard p95", "OnSpeakingStarted med";
        for (k in n) printf "%-22s %6d %11.1f ms %11.1f ms %19.1f ms\n", k, n[k], pct(heard[k], n[k], 0.5), pct(heard[k], n[k], 0.95), pct(start[k], n[k], 0.5) }
' "$RESULTS" | sort
