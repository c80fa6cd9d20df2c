#!/usr/bin/env bash
# Makes a 500-page PDF (groff) and a large EPUB (pandoc) from generated text, then times our readers
# (bench_documents) next to `pdftotext` and `pandoc -t plain` on the same files.
# Needs: groff, pandoc, poppler-utils (all in scripts/packages.txt).
# Usage: bench/documents_compare.sh [BUILD-FOLDER] [PAGES]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
PAGES=${2:-500}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
python3 - "$WORK" "$PAGES" <<'PY'
import random, sys
work, pages = sys.argv[1], int(sys.argv[2])
random.seed(7)
words = ("reading speech sentence paragraph narrative document recognition voice chapter listener "
         "evening morning river mountain window garden letter station").split()
def paragraph():
    return " ".join(random.choice(words) for _ in range(70)) + "."
with open(f"{work}/book.ms", "w") as ms:
    ms.write(".ds LH Benchmark Book\n.ds CF Page %\n")
    for _ in range(pages * 9):
        ms.write(".PP\n" + paragraph() + "\n")
with open(f"{work}/book.md", "w") as md:
    md.write("---\ntitle: Benchmark Book\n---\n")
    for chapter in range(1, 201):
        md.write(f"\n# Chapter {chapter}\n\n")
        for _ in range(pages // 10):
            md.write(paragraph() + "\n\n")
PY
groff -ms -Tpdf "$WORK/book.ms" > "$WORK/book.pdf"
pandoc "$WORK/book.md" -o "$WORK/book.epub"
pandoc "$WORK/book.md" -o "$WORK/book.docx"
pandoc "$WORK/book.md" -o "$WORK/book.odt"
echo "PDF: $(pdfinfo "$WORK/book.pdf" | awk '/^Pages/ {print $2}') pages, $(stat -c %s "$WORK/book.pdf") bytes;" \
     "EPUB $(stat -c %s "$WORK/book.epub") bytes"
cmake --build "$BUILD" --target bench_documents >/dev/null
"$BUILD/bench/bench_documents" 5 "$WORK/book.pdf" "$WORK/book.epub" "$WORK/book.docx" "$WORK/book.odt"
ms() { local start end; start=$(date +%s%N); "$@" > /dev/null; end=$(date +%s%N); echo $(( (end - start) / 1000000 )); }
for i in 1 2 3; do
  echo "pdftotext book.pdf: $(ms pdftotext "$WORK/book.pdf" -) ms;" \
       "pandoc -t plain book.epub: $(ms pandoc -t plain "$WORK/book.epub") ms;" \
       "book.docx: $(ms pandoc -t plain "$WORK/book.docx") ms;" \
       "book.odt: $(ms pandoc -t plain "$WORK/book.odt") ms"
done
