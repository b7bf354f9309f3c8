"""Walks the running sqpatch, started with a patch file alone, to its last
page with the keyboard alone: the folders it found in the test's home are
offered in the empty fields, and 13 key presses take it there."""
import subprocess
import sys

import pyatspi

from atspi_reader import (CLIENT_LABEL, WINDOW, check, failures, find_window, page0_rows,
                          shown_with_role, wait_for, walk)

FOUND = "Found and writeable!"


def main():
    window = wait_for(find_window)
    check(window is not None, f"the window {WINDOW!r} shows")
    if window is None:
        return 1
    client = next(a for a in walk(window)
                  if a.name == CLIENT_LABEL and a.getRole() == pyatspi.ROLE_TEXT)
    # The search has answered once the empty field describes what it found.
    cue = wait_for(lambda: client.description)
    check(cue == "Found 2 folders: press Down to choose", f"the client field's description: {cue!r}")
    subprocess.run(["xdotool", "search", "--name", f"^{WINDOW}$", "windowfocus", "--sync"],
                   check=True)
    labels = lambda: [a.name for a in shown_with_role(window, pyatspi.ROLE_LABEL)]
    steps = [
        # The client in the drive spelling the field's label suggests.
        ("Tab Down Return", lambda: page0_rows(window) == [
            f"Staidx0.mul: {FOUND}", f"Statics0.mul: {FOUND}", f"Map0.mul: {FOUND}"]
         and client.queryText().getText(0, -1) == "C:\\Program Files\\UO"),
        ("Tab Tab Return", lambda: "Check for correct CD" in labels()),
        ("Tab Tab Down Return", lambda: page0_rows(window) == [
            "Staidx0.mul: Found!", "Statics0.mul: Found!", "Map0.mul: Found!",
            "CD type: The Second Age"]),
        ("Tab Tab Return", lambda: "Apply the patch" in labels()),
    ]
    presses = 0
    for keys, reached in steps:
        presses += len(keys.split())
        subprocess.run(["xdotool", "key", *keys.split()], check=True)
        check(wait_for(reached), f"after {presses} key presses ({keys}): {page0_rows(window)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
