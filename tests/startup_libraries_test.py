#!/usr/bin/env python3
"""Fails when the program links a library that it opens with dlopen when first needed.

Every library the program links is loaded and relocated at each start, before the window shows;
the ones below serve only a later moment (a document archive, a voice), so the program opens them
then. Usage: startup_libraries_test.py PROGRAM
"""
import re
import subprocess
import sys

# Library (the start of its file name) and when the program opens it.
OPENED_ON_FIRST_USE = [
    ("libzip.so", "when the first EPUB, DOCX or ODT is read (documents/zip_library.cpp)"),
    ("libpoppler-qt6.so", "when the first PDF is read, through libnarrix_pdf.so (documents/pdf_reader.cpp)"),
    ("libespeak-ng.so", "when the synthesis thread first lists the voices (speech/espeak_library.cpp)"),
    ("libflite.so", "when the first flite voice is loaded (speech/flite_library.cpp)"),
    ("libflite_cmu_us_", "when that flite voice is first used (speech/flite_backend.cpp)"),
    ("libpulse.so", "at the first audio, or on a thread of its own beside the start (speech/pulse_library.cpp)"),
    ("libQt6Multimedia.so", "when the device list or Qt's sink is first needed (speech/qt_audio.cpp)"),
    ("libspeechd.so", "when the speech service's voices are listed, on a thread of its own (speech/speechd_library.cpp)"),
]


def main():
    program = sys.argv[1]
    dynamic = subprocess.run(["readelf", "-d", program], capture_output=True, text=True, check=True).stdout
    needed = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic)
    if not needed:
        print(f"{program}: no NEEDED entries read")
        return 1
    faults = [f"{program} links {name}, which it opens {reason}"
              for library, reason in OPENED_ON_FIRST_USE
              for name in needed if name.startswith(library)]
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print(f"{program}: none of the libraries opened on first use is linked ({len(needed)} linked)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
