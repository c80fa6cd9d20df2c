#!/usr/bin/env bash
# Makes the benchmark documents in FOLDER from generated text: book.pdf (PAGES pages, groff, a running
# header and "Page N" footers), book.epub, book.docx and book.odt (pandoc, 200 chapters of the same
# text) and large.epub (500 generated XHTML chapters zipped as they are, about 50 MB).
# Needs: groff, pandoc (in scripts/packages.txt).
# With --no-pandoc only book.pdf and large.epub are made.
# Usage: bench/make_documents.sh FOLDER [PAGES] [--no-pandoc]
set -euo pipefail
WORK=$1
PAGES=${2:-500}
PANDOC=${3:-}
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
if [ "$PANDOC" != --no-pandoc ]; then
  pandoc "$WORK/book.md" -o "$WORK/book.epub"
  pandoc "$WORK/book.md" -o "$WORK/book.docx"
  pandoc "$WORK/book.md" -o "$WORK/book.odt"
fi
