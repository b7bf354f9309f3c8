"""A read-only mirror of a folder whose lookups wait: a hung network mount.

  hung_mount.py SOURCE MOUNTPOINT --control FIFO   wait until released
  hung_mount.py SOURCE MOUNTPOINT --delay SECONDS  each one takes that long

With --control the mount starts held: every question about an entry
(getattr, readdir, open, read, access) waits until a line "release" is
written to FIFO; "hold" holds the questions asked after it again. The mount's
own root answers at once, as a mount point's cached root does, so that
drive letters and checks of the mount point itself never wait.
Prints "ready" once the kernel talks to it. Nothing is cached by the kernel:
every question reaches this program. A waiting question whose caller is
killed fails with EINTR. Ends when unmounted or on SIGTERM.
"""
import argparse
import errno
import os
import sys
import threading
import time

import fusepy


class HungMirror(fusepy.Operations):
    def __init__(self, source, delay, control):
        self.source = source
        self.delay = delay
        self.released = threading.Event()
        if control is not None:
            threading.Thread(target=self.follow, args=(control,), daemon=True).start()

    def follow(self, control):
        # Open for writing too: the FIFO never reaches its end between writers.
        with open(os.open(control, os.O_RDWR), encoding="ascii") as lines:
            for line in lines:
                if line.strip() == "release":
                    self.released.set()
                elif line.strip() == "hold":
                    self.released.clear()

    def wait(self, path):
        if path == "/":
            return
        end = time.monotonic() + (self.delay if self.delay is not None else float("inf"))
        while not self.released.wait(min(0.05, max(0, end - time.monotonic()))):
            if time.monotonic() >= end:
                return
            # A caller that is killed asks to be let go, as a killable NFS
            # wait lets it: otherwise its process could never end.
            if fusepy._libfuse.fuse_interrupted():
                raise fusepy.FuseOSError(errno.EINTR)

    def real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def init(self, path):
        print("ready", flush=True)

    def getattr(self, path, fh=None):
        self.wait(path)
        try:
            st = os.lstat(self.real(path))
        except OSError as error:
            raise fusepy.FuseOSError(error.errno)
        return {key: getattr(st, key) for key in (
            "st_mode", "st_nlink", "st_uid", "st_gid", "st_size",
            "st_atime", "st_mtime", "st_ctime")}

    def access(self, path, mode):
        self.wait(path)
        if not os.access(self.real(path), mode):
            raise fusepy.FuseOSError(errno.EACCES)

    def readdir(self, path, fh):
        self.wait(path)
        return [".", ".."] + os.listdir(self.real(path))

    def open(self, path, flags):
        self.wait(path)
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise fusepy.FuseOSError(errno.EROFS)
        return os.open(self.real(path), flags)

    def read(self, path, size, offset, fh):
        self.wait(path)
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)

    def statfs(self, path):
        st = os.statvfs(self.source)
        return {key: getattr(st, key) for key in (
            "f_bsize", "f_frsize", "f_blocks", "f_bfree", "f_bavail",
            "f_files", "f_ffree", "f_favail", "f_namemax")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("source")
    parser.add_argument("mountpoint")
    how = parser.add_mutually_exclusive_group(required=True)
    how.add_argument("--control")
    how.add_argument("--delay", type=float)
    arguments = parser.parse_args()
    if arguments.control is not None and not os.path.exists(arguments.control):
        os.mkfifo(arguments.control)
    fusepy.FUSE(HungMirror(os.path.realpath(arguments.source), arguments.delay,
                           arguments.control),
                arguments.mountpoint, foreground=True, ro=True, fsname="hung_mount", intr=True,
                attr_timeout=0, entry_timeout=0, negative_timeout=0)


if __name__ == "__main__":
    sys.exit(main())
