"""The desktop pieces a test starts, each in a process group of its own, in a
runtime folder of the test's own, all ended when the test ends.

A desktop test must never reach into the session it is run from: a piece
that found the inherited XDG_RUNTIME_DIR could bind a socket there (the
accessibility bus does, at $XDG_RUNTIME_DIR/at-spi/bus_N). So the test's own
environment is pointed at a stand-in session folder with such a socket
listening, and the test proves at the end that the socket is untouched.
"""

import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import traceback

MARK = "IMPROVES_DESKTOP_TEST"

# The checks that failed so far; a test prints each check as it makes it.
failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return bool(condition)


def run_checks(body, finish, deadline_seconds, script):
    """Runs body() to its end, or to the deadline (well inside ctest's own:
    a test that ctest has to kill cannot end what it started); an exception
    or the deadline is a failed check. Then finish() ends what the test
    started; returns the exit status. `script` is the test's file, whose
    line an exception is reported from."""
    def report():
        finish()
        print("failed: " + "; ".join(failures) if failures else "every check passed")
        return 1 if failures else 0

    def give_up(signum, _frame):
        # An exception raised here could be swallowed by an event loop the
        # test is waiting in: end everything from here instead.
        check(False, f"the test ran to its end (stopped by {signal.Signals(signum).name}, "
                     f"the deadline being {deadline_seconds} s)")
        os._exit(report())

    for signum in (signal.SIGALRM, signal.SIGTERM):
        signal.signal(signum, give_up)
    signal.alarm(deadline_seconds)
    try:
        body()
    except Exception as error:  # a check that could not run is a failed check
        ours = [f for f in traceback.extract_tb(error.__traceback__) if f.filename == script]
        where = f", line {ours[-1].lineno}" if ours else ""
        check(False, f"the test ran to its end ({type(error).__name__}: {error}{where})")
    signal.alarm(0)
    return report()


def wait_for(probe, seconds=20, step=0.05, transient=()):
    """Polls probe() until it returns something true; returns that or None.
    An exception of a transient type counts as "not yet": say, an object that
    went away while the probe walked a tree that is changing."""
    end = time.monotonic() + seconds
    while True:
        try:
            value = probe()
        except transient:
            value = None
        if value or time.monotonic() >= end:
            return value or None
        time.sleep(step)


class StandInSession:
    """Plays the desktop session the test is run from: a runtime folder with
    the accessibility bus sockets a session would have in it."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="improves-session-")
        os.makedirs(os.path.join(self.folder, "at-spi"))
        self.listeners = {}
        os.environ["XDG_RUNTIME_DIR"] = self.folder

    def listen(self, name):
        path = os.path.join(self.folder, "at-spi", name)
        listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        listener.bind(path)
        listener.listen(4)
        self.listeners[name] = (listener, os.stat(path).st_ino)

    def untouched(self):
        """The names of the sockets that were replaced or stopped answering."""
        touched = []
        for name, (listener, inode) in self.listeners.items():
            path = os.path.join(self.folder, "at-spi", name)
            try:
                same = os.stat(path).st_ino == inode
                with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as probe:
                    probe.settimeout(2)
                    probe.connect(path)
                    listener.settimeout(2)
                    listener.accept()[0].close()
            except OSError:
                same = False
            if not same:
                touched.append(name)
        return touched

    def close(self):
        for listener, _ in self.listeners.values():
            listener.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class Pieces:
    """Starts programs in their own process groups, with the test's own
    runtime and cache folders, and ends every one of them."""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="improves-runtime-")
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime,
                        XDG_CACHE_HOME=os.path.join(self.runtime, "cache"), **{MARK: self.runtime})
        self.env.pop("DISPLAY", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.processes = []
        self.enders = []

    def on_end(self, ender):
        """ender() is called when the pieces end, before the processes are."""
        self.enders.append(ender)

    def start(self, args, env=None, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(args, env=env or self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def left_running(self):
        """Processes still alive that this test started: in one of its
        groups, or carrying its mark (services a bus started for it)."""
        groups = {p.pid for p in self.processes}
        alive = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == os.getpid():
                continue
            try:
                with open(f"/proc/{entry}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                if fields[0] == "Z":
                    continue
                mine = int(fields[2]) in groups
                if not mine:
                    with open(f"/proc/{entry}/environ", "rb") as f:
                        mine = f"{MARK}={self.runtime}".encode() in f.read().split(b"\0")
            except (OSError, IndexError, ValueError):
                continue
            if mine:
                alive.append(int(entry))
        return alive

    def end(self):
        """Ends every group, gently first; returns what would not end."""
        for ender in self.enders:
            ender()
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for p in reversed(self.processes):
                try:
                    os.killpg(p.pid, sig)
                except ProcessLookupError:
                    pass
            for pid in self.left_running():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            for p in self.processes:
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    pass
            if wait_for(lambda: not self.left_running(), seconds=5):
                break
        left = self.left_running()
        shutil.rmtree(self.runtime, ignore_errors=True)
        return left
