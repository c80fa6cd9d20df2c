#!/usr/bin/env python3
"""Fails when an area of src/ uses an area that src/layers.txt does not allow.

Checks every `#include "area/..."` of the files under src/ and every `target_link_libraries` of
src/*/CMakeLists.txt (a library belongs to the area of its name, see LIBRARY_AREAS).
Usage: layers_test.py SOURCE_DIR
"""
import pathlib
import re
import sys

# Libraries and the area they belong to. narrix_gui gathers the widget files of every area; as a
# library it is the program's top.
LIBRARY_AREAS = {
    "narrix_base": "base",
    "narrix_platform": "platform",
    "narrix_documents": "documents",
    "narrix_net": "net",
    "narrix_speech": "speech",
    "narrix_schedule": "schedule",
    "narrix_sources": "sources",
    "narrix_ui": "ui",
    "narrix_dialogs": "dialogs",
    "narrix_settings": "settings",
    "narrix_editor": "editor",
    "narrix_appcore": "app",
    "narrix_gui": "app",
    "narrix_startup_probe": "app",
    "narrix_vozozo": "vozozo",
    "narrix_vozozo_gui": "vozozo",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]*"', re.MULTILINE)
LINK = re.compile(r"target_link_libraries\s*\(\s*(\S+)([^)]*)\)", re.DOTALL)


def read_table(path):
    allowed = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        area, sep, uses = line.partition(":")
        if not sep:
            sys.exit(f"{path}:{number}: expected 'area: areas'")
        allowed[area.strip()] = set(uses.split())
    for area, uses in allowed.items():
        unknown = uses - allowed.keys()
        if unknown:
            sys.exit(f"{path}: {area} uses unknown areas {sorted(unknown)}")
    return allowed


def check(source_dir):
    src = source_dir / "src"
    allowed = read_table(src / "layers.txt")
    faults = []

    def permitted(area, used):
        return used == area or used in allowed.get(area, set())

    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        area = path.relative_to(src).parts[0]
        if area not in allowed:
            faults.append(f"{path.relative_to(source_dir)}: area '{area}' is not in src/layers.txt")
            continue
        for used in INCLUDE.findall(path.read_text(errors="replace")):
            if used in allowed and not permitted(area, used):
                faults.append(f"{path.relative_to(source_dir)}: {area} may not include {used}/")

    for cmake in sorted(src.glob("*/CMakeLists.txt")):
        for target, rest in LINK.findall(cmake.read_text()):
            area = LIBRARY_AREAS.get(target)
            if area is None:
                continue  # executables and outside libraries
            for library in rest.split():
                used = LIBRARY_AREAS.get(library)
                if used is not None and not permitted(area, used):
                    faults.append(f"{cmake.relative_to(source_dir)}: {target} ({area}) may not link "
                                  f"{library} ({used})")
    return faults


def run(check, failed, passed):
    """Runs `check` on the source folder of the command line and prints its faults, then `failed`
    after their count, or `passed`; the exit code."""
    source_dir = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    faults = check(source_dir)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} {failed}")
        return 1
    print(passed)
    return 0


def main():
    return run(check, "use(s) outside src/layers.txt", "layers: every include and link follows src/layers.txt")


if __name__ == "__main__":
    sys.exit(main())
