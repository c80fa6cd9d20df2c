#!/usr/bin/env python3
"""Fails when a file under src/ reads the environment or writes to stderr outside its one place.

The environment is read once, in src/platform/environment.cpp, and handed down from there; messages
go through the logging categories (the keyboard-hook library's through its hookLog), and only
vozozo's command line prints to stderr itself.
Usage: one_place_test.py SOURCE_DIR
"""
import re
import sys

from layers_test import run

# What is looked for, and where it may stand (paths relative to the source folder, folders ending in /).
RULES = [
    ("reads the environment",
     re.compile(r"\b(?:secure_getenv|getenv|qgetenv|qEnvironmentVariable\w*|qputenv|setenv)\s*\("),
     ("src/platform/environment.cpp",)),
    ("writes to stderr", re.compile(r"\bf(?:printf|puts)\s*\(\s*stderr\b|\bcerr\s*<<"), ("src/vozozo/",)),
]


def allowed_at(path, places):
    return any(path == place or (place.endswith("/") and path.startswith(place)) for place in places)


def check(source_dir):
    faults = []
    for path in sorted((source_dir / "src").rglob("*")):
        if path.suffix not in (".h", ".cpp", ".c") or not path.is_file():
            continue
        relative = path.relative_to(source_dir).as_posix()
        text = path.read_text(errors="replace")
        for what, pattern, places in RULES:
            if allowed_at(relative, places):
                continue
            for match in pattern.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                faults.append(f"{relative}:{line}: {what} ({match.group(0).strip()})")
    return faults


def main():
    return run(check, "use(s) outside their one place",
               "one place: the environment is read in platform/environment.cpp, stderr written by vozozo only")

if __name__ == "__main__":
    sys.exit(main())
