#!/usr/bin/env bash
# Makes a 500-page PDF (groff) and a large EPUB (pandoc) from generated text, then times our readers
# (bench_documents) next to `pdftotext` and `pandoc -t plain` on the same files. A 50 MB EPUB of
# generated XHTML chapters (zipped here, stored as they are) shows how soon a large book's first text
# is ready.
# Needs: groff, pandoc, poppler-utils (all in scripts/packages.txt).
# Usage: bench/documents_compare.sh [BUILD-FOLDER] [PAGES]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
PAGES=${2:-500}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
bench/make_documents.sh "$WORK" "$PAGES"
echo "PDF: $(pdfinfo "$WORK/book.pdf" | awk '/^Pages/ {print $2}') pages, $(stat -c %s "$WORK/book.pdf") bytes;" \
     "EPUB $(stat -c %s "$WORK/book.epub") bytes, large EPUB $(stat -c %s "$WORK/large.epub") bytes"
cmake --build "$BUILD" --target bench_documents >/dev/null
"$BUILD/bench/bench_documents" 5 "$WORK/book.pdf" "$WORK/book.epub" "$WORK/large.epub" "$WORK/book.docx" \
  "$WORK/book.odt"
ms() { local start end; start=$(date +%s%N); "$@" > /dev/null; end=$(date +%s%N); echo $(( (end - start) / 1000000 )); }
for i in 1 2 3; do
  echo "pdftotext book.pdf: $(ms pdftotext "$WORK/book.pdf" -) ms;" \
       "pandoc -t plain book.epub: $(ms pandoc -t plain "$WORK/book.epub") ms;" \
       "book.docx: $(ms pandoc -t plain "$WORK/book.docx") ms;" \
       "book.odt: $(ms pandoc -t plain "$WORK/book.odt") ms"
done
