"""Reads the running sqpatch through AT-SPI as a screen reader does.

Checks the names of the window, the folder edits and the result rows of
page 0, then clicks into the client folder edit, types the folder given as
the first argument key by key (xdotool), and checks that the rows changed
and that a name change was sent for each changed row and no other, and
that Orca (its log is the second argument) says each changed row once.
Last, it sets the field's text as a screen reader or voice input does
(AT-SPI's editable text), and checks that the rows follow.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP = "Stonequill Patch"
WINDOW = "Stonequill Patch 1"
CLIENT_LABEL = "The UO client is installed at: (i.e. C:\\UO)"
CD_LABEL = "The original UO files are at: (i.e. D:\\client)"

failures = []
name_changes = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def pump(seconds):
    """Lets events arrive for a while."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(find, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump(0.1)
    return find()


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def find_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == APP:
            for window in app:
                if window is not None and window.name == WINDOW:
                    return window
    return None


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def shown_with_role(window, role):
    return [a for a in walk(window) if a.getRole() == role and showing(a)]


def page0_rows(window):
    """The names of the result rows in the shown results box."""
    panels = [p for p in shown_with_role(window, pyatspi.ROLE_PANEL)
              if p.name == "Results for current path"]
    if len(panels) != 1:
        return []
    return [label.name for label in panels[0] if ": " in label.name]


def spoken(log, start, line=r"SPEECH OUTPUT: '([^']*)'"):
    """What Orca said (or logged, by `line`) after `start` bytes of its log."""
    with open(log, encoding="utf-8", errors="replace") as said:
        said.seek(start)
        return " ".join(re.findall(line, said.read()))


def on_name_change(event):
    if event.source.getRole() != pyatspi.ROLE_NOTIFICATION:  # not a row
        name_changes.append(event.source.name)


def main():
    folder = sys.argv[1]
    window = wait_for(find_window)
    check(window is not None, f"an application {APP!r} shows the window {WINDOW!r}")
    if window is None:
        return 1
    check(window.getRole() == pyatspi.ROLE_FRAME, "the window is a frame")
    edits = [a for a in walk(window) if a.getRole() == pyatspi.ROLE_TEXT]
    check(sorted(e.name for e in edits) == sorted([CLIENT_LABEL, CD_LABEL]),
          f"the folder edits are named by their path labels: {[e.name for e in edits]}")
    labels = [a.name for a in shown_with_role(window, pyatspi.ROLE_LABEL)]
    check("Check current files" in labels, "the page caption is shown")
    panels = [p.name for p in shown_with_role(window, pyatspi.ROLE_PANEL)]
    check("Check current files" in panels, f"the page container goes by its page: {panels}")
    rows = page0_rows(window)
    expected = ["Staidx0.mul: Not found!", "Statics0.mul: Not found!", "Map0.mul: Not found!"]
    check(rows == expected, f"page 0 rows before typing: {rows}")
    buttons = {b.name: b.getState().contains(pyatspi.STATE_SENSITIVE)
               for b in shown_with_role(window, pyatspi.ROLE_PUSH_BUTTON)}
    check(buttons == {"Test again": True, "Next": False, "Finish": False},
          f"buttons and whether they are available: {buttons}")

    pyatspi.Registry.registerEventListener(on_name_change,
                                           "object:property-change:accessible-name")
    client = next(e for e in edits if e.name == CLIENT_LABEL)
    box = client.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    # No window manager runs here to give the window the keyboard.
    subprocess.run(["xdotool", "search", "--name", f"^{WINDOW}$", "windowfocus", "--sync"],
                   check=True)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], check=True)
    pump(0.5)
    name_changes.clear()
    log = sys.argv[2]
    start = os.path.getsize(log)
    subprocess.run(["xdotool", "type", "--delay", "20", folder[:-1]], check=True)
    # Orca drops showing events while it is behind by more than 50 events;
    # a user's pause before the last key lets it catch up, as this wait does.
    caret = f"Dequeued object:text-caret-moved [text | {CLIENT_LABEL}] ({len(folder) - 1},0,0)"
    wait_for(lambda: spoken(log, start, re.escape(caret)))
    subprocess.run(["xdotool", "type", folder[-1]], check=True)
    expected = ["Staidx0.mul: Found and writeable!", "Statics0.mul: Not found!",
                "Map0.mul: Found and writeable!"]
    rows = wait_for(lambda: page0_rows(window) == expected and page0_rows(window))
    check(rows == expected, f"page 0 rows after typing the folder: {page0_rows(window)}")
    text = client.queryText()
    check(text.getText(0, -1) == folder, "the edit holds the typed folder")
    wait_for(lambda: len(name_changes) >= 2, 5)
    pump(0.5)
    check(name_changes == ["Staidx0.mul: Found and writeable!",
                           "Map0.mul: Found and writeable!"],
          f"name changes sent while typing: {name_changes}")

    said = wait_for(lambda: "Map0.mul: Found" in spoken(log, start) and spoken(log, start))
    check("Statics0.mul" not in said, f"Orca says nothing of the unchanged row: {said!r}")
    # The missing file appears, and "Test again" finds it.
    open(os.path.join(folder, "Statics0.mul"), "w").close()
    next(b for b in shown_with_role(window, pyatspi.ROLE_PUSH_BUTTON)
         if b.name == "Test again").queryAction().doAction(0)
    said = wait_for(lambda: "Statics0.mul: Found" in spoken(log, start) and spoken(log, start))
    check(all(said.count(f"{row}: Found and writeable!") == 1
              for row in ("Staidx0.mul", "Statics0.mul", "Map0.mul")),
          f"Orca says each changed row once: {said!r}")

    editable = client.queryEditableText()
    found = [f"{row}: Found and writeable!" for row in ("Staidx0.mul", "Statics0.mul", "Map0.mul")]
    not_found = [f"{row}: Not found!" for row in ("Staidx0.mul", "Statics0.mul", "Map0.mul")]
    for text, rows_then in ((folder + "/missing", not_found), (folder, found)):
        name_changes.clear()
        editable.setTextContents(text)
        rows = wait_for(lambda: page0_rows(window) == rows_then and page0_rows(window))
        check(rows == rows_then, f"page 0 rows after a reader set {text!r}: {page0_rows(window)}")
        pump(0.5)
        check(sorted(name_changes) == sorted(rows_then),
              f"one name change for each changed row: {name_changes}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
