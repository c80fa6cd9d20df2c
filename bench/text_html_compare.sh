#!/usr/bin/env bash
# Joins Debian's Python documentation pages into one HTML page of about 8 MB and times the speech
# conversion on it next to lynx -dump and w3m -dump.
# Needs: apt-get install python3-doc lynx w3m (python3-doc only for this benchmark).
# Usage: bench/text_html_compare.sh [BUILD-FOLDER] [PAGE]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
PAGE=${2:-/tmp/narrix-bench-page.html}
DOCS=$(ls -d /usr/share/doc/python3*-doc/html /usr/share/doc/python3.*/html 2>/dev/null | head -n 1)
[ -n "$DOCS" ] || { echo "python3-doc is not installed" >&2; exit 2; }
if [ ! -s "$PAGE" ]; then
  : > "$PAGE"
  find -L "$DOCS/library" -name '*.html' | LC_ALL=C sort | while read -r f; do
    cat "$f" >> "$PAGE"
    [ "$(stat -c %s "$PAGE")" -ge 8388608 ] && break
  done
  truncate -s 8388608 "$PAGE"
fi
cmake --build "$BUILD" --target bench_text_html >/dev/null
"$BUILD/bench/bench_text_html" "$PAGE" 11
for tool in "lynx -dump -force_html -nolist" "w3m -dump -T text/html"; do
  for i in 1 2 3; do
    start=$(date +%s%N)
    $tool "$PAGE" > /dev/null
    end=$(date +%s%N)
    echo "$tool: $(( (end - start) / 1000000 )) ms"
  done
done
