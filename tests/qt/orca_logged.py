"""Runs Orca with its debug log written line by line.

    orca_logged.py LOG PREFS_DIR

Orca writes every utterance to its debug log ("SPEECH OUTPUT: '...'"), but
through a block buffer, so the last ones reach the file only much later. A
test that waits for what Orca said needs each line as it is written.
"""
import builtins
import runpy
import sys

log, prefs = sys.argv[1:3]
system_open = builtins.open


def open_log_line_buffered(file, mode="r", *args, **kwargs):
    if file == log:
        return system_open(file, mode, buffering=1)
    return system_open(file, mode, *args, **kwargs)


builtins.open = open_log_line_buffered
sys.argv = ["orca", "--replace", "--user-prefs", prefs, "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
