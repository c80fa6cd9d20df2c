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
python3 - "$WORK/large.epub" <<'PY'
import random, sys, zipfile
random.seed(11)
words = ("reading speech sentence paragraph narrative document recognition voice chapter listener "
         "evening morning river mountain window garden letter station").split()
container = ('<?xml version="1.0"?><container version="1.0" '
             'xmlns="urn:oasis:names:tc:opendocument:xmlns:container"><rootfiles>'
             '<rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>'
             '</rootfiles></container>')
chapters = 500
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_STORED) as book:
    book.writestr("mimetype", "application/epub+zip")
    book.writestr("META-INF/container.xml", container)
    manifest, spine = [], []
    for n in range(1, chapters + 1):
        paragraphs = "".join("<p>" + " ".join(random.choice(words) for _ in range(70)) + ".</p>\n"
                             for _ in range(170))
        book.writestr(f"OEBPS/ch{n}.xhtml", f'<?xml version="1.0"?><html xmlns="http://www.w3.org/1999/xhtml">'
                      f"<head><title>Chapter {n}</title></head><body><h1>Chapter {n}</h1>{paragraphs}</body></html>")
        manifest.append(f'<item id="ch{n}" href="ch{n}.xhtml" media-type="application/xhtml+xml"/>')
        spine.append(f'<itemref idref="ch{n}"/>')
    book.writestr("OEBPS/content.opf", '<?xml version="1.0"?><package xmlns="http://www.idpf.org/2007/opf" '
                  'version="2.0"><metadata/><manifest>' + "".join(manifest) + "</manifest><spine>"
                  + "".join(spine) + "</spine></package>")
PY
groff -ms -Tpdf "$WORK/book.ms" > "$WORK/book.pdf"
pandoc "$WORK/book.md" -o "$WORK/book.epub"
pandoc "$WORK/book.md" -o "$WORK/book.docx"
pandoc "$WORK/book.md" -o "$WORK/book.odt"
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
