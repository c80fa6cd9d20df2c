#!/usr/bin/env bash
# How soon a long document is heard: from the start of `narrix FILE` (speak and close) to its first
# sentence handed to the engine and to its first audio (the speech history's first "speak" and
# "started" lines; their `ms` counts from the process start), and from File > Open with Play pressed
# at once to the same (bench_open_to_speech), on the 500-page PDF and the 50 MB EPUB that
# make_documents.sh makes. NARRIX_AUDIO=null; medians of RUNS; prints the load average. Build the
# targets narrix and bench_open_to_speech first (a folder without the latter, such as an older
# build, gets the first part only).
# Usage: bench/documents_first_speech.sh [BUILD] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
RUNS=${2:-5}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
bench/make_documents.sh "$WORK" 500 --no-pandoc >/dev/null
export QT_QPA_PLATFORM=offscreen NARRIX_AUDIO=null XDG_RUNTIME_DIR="$WORK/run" XDG_CONFIG_HOME="$WORK/config" \
  NARRIX_DATA_DIR="$WORK/data"
mkdir -p "$WORK/run" "$WORK/data" "$WORK/config/Quillmark"
chmod 700 "$WORK/run"
printf '[General]\nFontCharset=0\nShowTips=False\nTellTime=Never\nGreetings=<nil>\n' \
  >"$WORK/config/Quillmark/Narrix.conf"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
first_ms() { grep -m1 "\"event\":\"$1\"" "$2" | sed 's/.*"ms":\([0-9]*\).*/\1/'; }
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for file in book.pdf large.epub; do
  : >"$WORK/speak" && : >"$WORK/started"
  for _ in $(seq 1 "$RUNS"); do
    log="$WORK/$file.jsonl"
    rm -f "$log"
    NARRIX_SPEECH_LOG="$log" "$BUILD/src/app/narrix" "$WORK/$file" 2>/dev/null &
    pid=$!
    for _ in $(seq 1 1200); do
      grep -q '"event":"started"' "$log" 2>/dev/null && break
      sleep 0.05
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" || true
    first_ms speak "$log" >>"$WORK/speak"
    first_ms started "$log" >>"$WORK/started"
  done
  echo "narrix $file: first text to the engine $(median <"$WORK/speak") ms, first audio" \
       "$(median <"$WORK/started") ms after the process start (medians of $RUNS)"
done
if [ -x "$BUILD/bench/bench_open_to_speech" ]; then
  "$BUILD/bench/bench_open_to_speech" "$RUNS" "$WORK/book.pdf" "$WORK/large.epub"
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
