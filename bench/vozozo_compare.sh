#!/usr/bin/env bash
# vozozo against espeak-ng on the same English text with the same voice (American English, 175 words
# per minute, 22050 Hz WAV), both in the same run, and vozozo's MP3 export of the same text against its
# WAV export (the budget: within 1.1 times). vozozo uses one synthesis worker per processor; JOBS=1
# gives the one-worker time. Usage: bench/vozozo_compare.sh [BUILD-FOLDER] [BYTES]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
BYTES=${2:-1048576}
WORK=$(mktemp -d /tmp/narrix-vozozo-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
"$BUILD/bench/bench_speech" make-text "$WORK/text.txt" "$BYTES"

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc; }
# Processor seconds of a run and its children (user + system): what a busy machine does not distort.
cpu() { /usr/bin/time -f "%U + %S" -o "$WORK/cpu" "$@" >/dev/null 2>&1; echo "$(cat "$WORK/cpu")" | bc; }

anchor=$(seconds espeak-ng -v en-us -s 175 -f "$WORK/text.txt" -w "$WORK/espeak.wav")
ours=$(seconds "$BUILD/src/vozozo/vozozo" "$WORK/text.txt" -o "$WORK/vozozo.wav" \
  --voice "English (America) (espeak-ng)" --speed 175 ${JOBS:+--jobs "$JOBS"})
mp3=$(seconds "$BUILD/src/vozozo/vozozo" "$WORK/text.txt" -o "$WORK/vozozo.mp3" \
  --voice "English (America) (espeak-ng)" --speed 175 ${JOBS:+--jobs "$JOBS"})
wavcpu=$(cpu "$BUILD/src/vozozo/vozozo" "$WORK/text.txt" -o "$WORK/cpu.wav" \
  --voice "English (America) (espeak-ng)" --speed 175 ${JOBS:+--jobs "$JOBS"})
mp3cpu=$(cpu "$BUILD/src/vozozo/vozozo" "$WORK/text.txt" -o "$WORK/cpu.mp3" \
  --voice "English (America) (espeak-ng)" --speed 175 ${JOBS:+--jobs "$JOBS"})
echo "text: $BYTES bytes"
echo "espeak-ng -f FILE -w OUT.wav: ${anchor} s, $(stat -c %s "$WORK/espeak.wav") bytes of WAV"
echo "vozozo FILE -o OUT.wav (${JOBS:-$(nproc)} workers): ${ours} s, $(stat -c %s "$WORK/vozozo.wav") bytes of WAV"
echo "vozozo FILE -o OUT.mp3: ${mp3} s, $(stat -c %s "$WORK/vozozo.mp3") bytes of MP3"
echo "ratio: $(echo "scale=3; $ours / $anchor" | bc)"
echo "MP3 / WAV: $(echo "scale=3; $mp3 / $ours" | bc) wall; processor seconds ${mp3cpu} / ${wavcpu} = $(echo "scale=3; $mp3cpu / $wavcpu" | bc)"
