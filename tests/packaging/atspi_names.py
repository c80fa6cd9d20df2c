"""Reads the running narrix through AT-SPI and checks that the editor, the schedule list, the real-time
buffer, every menu button and every toolbar button are there by accessible name.
Usage: atspi_names.py (DISPLAY and DBUS_SESSION_BUS_ADDRESS set; narrix running)."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

REQUIRED = ["Document", "Scheduled Speeches", "Real-Time Buffer",
            "File", "Edit", "View", "Schedule", "Speech", "Tools", "Help",
            "New", "Open", "Save", "Play", "Pause", "Rewind", "Fast Forward", "Stop",
            "Speech Properties", "Add", "Remove", "Channel Update"]


def find_application(name, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name().lower() == name.lower():
                return app
        time.sleep(0.2)
    return None


def names_under(node, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        found.append((node.get_name(), node.get_role_name()))
        for i in range(node.get_child_count()):
            names_under(node.get_child_at_index(i), found, depth + 1)
    except GLib.Error:
        pass


def main():
    app = find_application("narrix")
    if app is None:
        print("FAIL: narrix is not on the accessibility bus")
        return 1
    found = []
    names_under(app, found)
    names = {name for name, _ in found}
    missing = [name for name in REQUIRED if name not in names]
    if missing:
        for name, role in found:
            print(f"{role}: {name}")
        print("FAIL: not found by accessible name: " + ", ".join(missing))
        return 1
    print(f"all {len(REQUIRED)} controls found among {len(found)} accessible objects")
    return 0


if __name__ == "__main__":
    sys.exit(main())
