#!/usr/bin/env bash
# vozozo against espeak-ng on the same English text with the same voice (American English, 175 words
# per minute, 22050 Hz WAV), both in the same run; then vozozo's exports of the same text to WAV, MP3,
# Ogg Vorbis, Opus and FLAC, ROUNDS rounds with the formats taking turns, each format's median wall and
# processor time, and the MP3 export against the WAV export (the budget: within 1.1 times). vozozo
# uses one synthesis worker per processor; JOBS=1 gives the one-worker time; VOICE=NAME (as
# `vozozo --list-voices` names it) exports with another voice. BEFORE=PROGRAM adds an older vozozo's
# MP3 export to every round (before and after a change, under the same load).
# Usage: bench/vozozo_compare.sh [BUILD-FOLDER] [BYTES] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
BYTES=${2:-1048576}
ROUNDS=${3:-3}
ANCHOR_VOICE="English (America) (espeak-ng)"
VOICE=${VOICE:-$ANCHOR_VOICE}
WORK=$(mktemp -d /tmp/narrix-vozozo-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/bench_speech" make-text "$WORK/text.txt" "$BYTES"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "text: $BYTES bytes; load average before: $(load)"
anchor=$(seconds espeak-ng -v en-us -s 175 -f "$WORK/text.txt" -w "$WORK/espeak.wav")
ours=$(seconds "$BUILD/src/vozozo/vozozo" "$WORK/text.txt" -o "$WORK/vozozo.wav" --voice "$ANCHOR_VOICE" --speed 175 \
  ${JOBS:+--jobs "$JOBS"})
echo "espeak-ng -f FILE -w OUT.wav: ${anchor} s, $(stat -c %s "$WORK/espeak.wav") bytes of WAV"
echo "vozozo FILE -o OUT.wav (${JOBS:-$(nproc)} workers): ${ours} s, $(stat -c %s "$WORK/vozozo.wav") bytes of WAV"
echo "ratio: $(echo "scale=3; $ours / $anchor" | bc)"

# One export: wall seconds and processor seconds of vozozo and its workers (user + system).
export_once() {
  local program=$1 name=$2 extension=$3
  /usr/bin/time -f "%e %U %S" -o "$WORK/time" "$program" "$WORK/text.txt" -o "$WORK/out.$extension" \
    --voice "$VOICE" --speed 175 ${JOBS:+--jobs "$JOBS"} >/dev/null 2>&1
  read -r wall user system <"$WORK/time"
  echo "$wall" >>"$WORK/$name.wall"
  echo "$user + $system" | bc >>"$WORK/$name.cpu"
  stat -c %s "$WORK/out.$extension" >"$WORK/$name.bytes"
}

formats="wav mp3 ogg opus flac"
for round in $(seq "$ROUNDS"); do
  for format in $formats; do
    export_once "$BUILD/src/vozozo/vozozo" "$format" "$format"
  done
  if [ -n "${BEFORE:-}" ]; then export_once "$BEFORE" mp3-before mp3; fi
done
echo "exports, median of $ROUNDS (load average after: $(load)):"
wavwall=$(median <"$WORK/wav.wall")
wavcpu=$(median <"$WORK/wav.cpu")
for name in $formats ${BEFORE:+mp3-before}; do
  wall=$(median <"$WORK/$name.wall")
  cpu=$(median <"$WORK/$name.cpu")
  printf '  %-10s %8.2f s wall %8.2f s CPU %12d bytes   / WAV: %.2f wall, %.2f CPU\n' "$name" "$wall" "$cpu" \
    "$(cat "$WORK/$name.bytes")" "$(echo "scale=3; $wall / $wavwall" | bc)" "$(echo "scale=3; $cpu / $wavcpu" | bc)"
done
