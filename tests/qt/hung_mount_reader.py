"""Drives sqpatch whose client folder is on a held mount (WORK/mnt), through
AT-SPI and xdotool, as hung_mount_test.sh describes; closes its window last,
while a lookup still waits.
  hung_mount_reader.py WORK
"""
import ctypes
import subprocess
import sys

import pyatspi
from atspi_reader import (CLIENT_LABEL, WINDOW, check, failures, find_window, page0_rows,
                          shown_with_role, wait_for, walk)

WORK = sys.argv[1]
ROWS = ("Staidx0.mul", "Statics0.mul", "Map0.mul")


def rows(result):
    return [f"{row}: {result}" for row in ROWS]


def mount(word):
    with open(f"{WORK}/mnt.control", "w", encoding="ascii") as control:
        control.write(word + "\n")


def next_enabled(window):
    return any(b.name == "Next" and b.getState().contains(pyatspi.STATE_SENSITIVE)
               for b in shown_with_role(window, pyatspi.ROLE_PUSH_BUTTON))


def type_over(edit, folder):
    """Clicks into the edit, selects its text and types the folder key by key."""
    box = edit.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "search", "--name", f"^{WINDOW}$", "windowfocus", "--sync"],
                   check=True)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1", "key", "ctrl+a"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", folder], check=True)


def expect(window, wanted, what):
    shown = wait_for(lambda: page0_rows(window) == wanted and page0_rows(window))
    check(shown == wanted, f"{what}: {page0_rows(window)}")


def close(title):
    """Asks the window to close, as a window manager's close button does."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XInternAtom.restype = ctypes.c_ulong
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    window = int(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                check=True, capture_output=True, text=True).stdout.split()[0])
    # XClientMessageEvent inside the XEvent union (24 longs).
    event = (ctypes.c_long * 24)()
    fields = ((0, 33), (4, window), (5, x11.XInternAtom(display, b"WM_PROTOCOLS", False)),
              (6, 32), (7, x11.XInternAtom(display, b"WM_DELETE_WINDOW", False)))
    for index, value in fields:  # type, window, message_type, format, data.l[0]
        event[index] = value
    x11.XSendEvent(display, ctypes.c_ulong(window), False, ctypes.c_long(0), event)
    x11.XFlush(display)


def main():
    window = wait_for(find_window)
    check(window is not None, f"the window {WINDOW!r} is read through AT-SPI")
    if window is None:
        return 1
    expect(window, rows("Checking..."), "page 0 while the mount holds its lookups")
    check(not next_enabled(window), "Next is disabled while page 0 is pending")
    edit = next(a for a in walk(window)
                if a.getRole() == pyatspi.ROLE_TEXT and a.name == CLIENT_LABEL)

    type_over(edit, f"{WORK}/local")
    expect(window, rows("Found and writeable!"), "a local folder typed over the held one")
    check(wait_for(lambda: next_enabled(window)), "Next is enabled for the local folder")
    for folder, result in (("UO", "Found and writeable!"), ("missing", "Not found!")):
        mount("hold")
        type_over(edit, f"{WORK}/mnt/{folder}")
        expect(window, rows("Checking..."), f"mnt/{folder} while held")
        mount("release")
        expect(window, rows(result), f"mnt/{folder} once released")

    mount("hold")
    type_over(edit, f"{WORK}/mnt/UO")
    expect(window, rows("Checking..."), "mnt/UO held again before closing")
    close(WINDOW)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
