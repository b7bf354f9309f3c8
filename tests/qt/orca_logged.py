"""orca_logged.py LOG PREFS_DIR: Orca with its debug log, which holds what
it says ("SPEECH OUTPUT: '...'"), written line by line, not block-buffered,
so that a test can wait for what it said."""
import builtins
import runpy
import sys

log, prefs = sys.argv[1:3]
system_open = builtins.open
builtins.open = lambda file, *args, **kwargs: (
    system_open(file, "w", buffering=1) if file == log else system_open(file, *args, **kwargs))
sys.argv = ["orca", "--replace", "--user-prefs", prefs, "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
