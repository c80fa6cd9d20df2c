"""Reads the running narrix through AT-SPI and checks that the editor, the schedule list, the real-time
buffer, every menu button and every toolbar button are there by accessible name; then types a text
into the editor, presses Play and checks that the status text " Reading... [Document Speech]" is announced.
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


def first(node, accept, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if accept(node):
            return node
        for i in range(node.get_child_count()):
            found = first(node.get_child_at_index(i), accept, depth + 1)
            if found is not None:
                return found
    except GLib.Error:
        pass
    return None


def status_is_announced(app):
    """Playing a typed text changes the status bar's text: an assistive technology hears it as the
    status label's name changing."""
    heard = []

    def on_event(event):
        try:
            heard.append(event.source.get_name())
        except GLib.Error:
            pass

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:property-change:accessible-name")
    editor = first(app, lambda n: n.get_role_name() == "text" and "EditableText" in n.get_interfaces())
    play = first(app, lambda n: n.get_name() == "Play" and n.get_role_name() == "push button")
    if editor is None or play is None:
        print("FAIL: no editable editor or no Play button")
        return False
    Atspi.EditableText.set_text_contents(editor, "Status texts are announced.")
    Atspi.Action.do_action(play, 0)
    wanted = " Reading... [Document Speech]"
    deadline = time.monotonic() + 20
    context = GLib.MainContext.default()
    while time.monotonic() < deadline and wanted not in heard:
        context.iteration(False)
        time.sleep(0.01)
    listener.deregister("object:property-change:accessible-name")
    if wanted not in heard:
        print("FAIL: the status text was not announced; heard: " + repr(heard[-10:]))
        return False
    print("the status text was announced: " + repr(wanted))
    return True


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
    return 0 if status_is_announced(app) else 1


if __name__ == "__main__":
    sys.exit(main())
