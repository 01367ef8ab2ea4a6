#!/usr/bin/python3
"""The calculator on real desktop pieces, each started and ended here.

usage: desktop_test.py PROGRAM x11|wayland

x11:     Xvfb with openbox. Reads the titles the window manager holds
         (xprop), and drives and reads the program through the AT-SPI
         accessibility bus as a screen reader does; closes it with the window
         manager's close request (wmctrl) and expects exit status 0.
wayland: a headless weston. Reads the titles the compositor is sent
         (the client's protocol log), opens About and presses Exit through
         AT-SPI, and expects exit status 0.

Run inside a private session bus: `dbus-run-session -- desktop_test.py ...`.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

QUESTION = "How many improves for my next level?"
failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
    if not condition:
        failures.append(what)


def wait_for(probe, seconds=20):
    """Polls probe() until it returns something true; returns that or None."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.1)
    return None


def start(args, **kwargs):
    return subprocess.Popen(args, stdout=subprocess.DEVNULL, **kwargs)


# ---- AT-SPI, as a screen reader reads it ----

def application(process):
    """The accessible application of `process`, once it shows its main window."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == process.pid and app.childCount > 0:
            return app
    return None


def find(root, predicate):
    return pyatspi.utils.findDescendant(root, predicate)


def named(name, role=None):
    return lambda acc: acc is not None and acc.name == name and (role is None or acc.getRole() == role)


def do_action(acc, action_name):
    actions = acc.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action_name:
            return actions.doAction(i)
    raise AssertionError(f"{acc.name} has no action {action_name}")


def count_name_changes(source, act):
    """How many accessible-name changes `source` reports while act() runs."""
    seen = []

    def listener(event):
        if event.source == source:
            seen.append(event.source.name)
            # Wait a little longer for a second announcement, if one comes.
            if len(seen) == 1:
                GLib.timeout_add(1000, lambda: pyatspi.Registry.stop() and False)

    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    GLib.timeout_add(200, lambda: act() and False)
    # On a loaded machine the first event can take a while; give up after 10 s.
    give_up = GLib.timeout_add(10000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    if seen:  # stopped by the listener's timer, so the give-up timer is still pending
        GLib.source_remove(give_up)
    return seen


def check_screen_reader_view(app, title_of, wayland=False):
    frames = [w for w in app if w is not None]
    main = next((w for w in frames if w.name.endswith(QUESTION)), None)
    check(main is not None and main.getRole() == pyatspi.ROLE_FRAME,
          "the main window is a frame named by its title")
    for name in ("School", "Grade", "One spell", "Two spells", "Kraanan, Level Six"):
        check(find(main, named(name)) is not None, f'a control is named "{name}"')
    unnamed = pyatspi.utils.findAllDescendants(main, lambda a: a is not None and not a.name)
    check(not unnamed, f"every control has a name (unnamed: {[a.getRoleName() for a in unnamed]})")

    total = find(main, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LABEL
                 and a.description.startswith("Improves still needed"))
    six = find(main, named("Kraanan, Level Six", pyatspi.ROLE_RADIO_BUTTON))
    seen = count_name_changes(total, lambda: do_action(six, "Toggle"))
    check(six.getState().contains(pyatspi.STATE_CHECKED), "the Toggle action selects the option")
    check(total.name == "266", f"the result follows the Toggle action (shows {total.name})")
    check(seen == ["266"], f"the new result is announced once (announced {seen})")
    working = total.description.splitlines()
    check(working[-1:] == ["70 + 199 \u2212 3 = 266 improves left"] and "levels: 5 \u00d7 14 = 70" in working,
          f"the result's description carries its working ({working})")
    check(wait_for(lambda: title_of(f"266 {QUESTION}")) is not None, "the title follows the Toggle action")

    about = find(main, named("About", pyatspi.ROLE_PUSH_BUTTON))
    do_action(about, "Press")
    info = wait_for(lambda: next((w for w in app if w is not None and w.name == "Info..."), None))
    check(info is not None and info.getRole() == pyatspi.ROLE_FRAME, 'About is a frame named "Info..."')
    if info is not None:
        texts = [c for c in info if c.getRole() == pyatspi.ROLE_LABEL]
        others = [(c.getRole(), c.name) for c in info if c.getRole() != pyatspi.ROLE_LABEL]
        check(len(texts) == 4 and all(c.name for c in texts), "About shows its four texts")
        # Without server-side decorations the window brings its own close
        # button, and nothing else: no minimise or maximise.
        expected = [(pyatspi.ROLE_PUSH_BUTTON, "Close")] if wayland else []
        check(others == expected, f"About's other controls are {expected} (found {others})")
        # A headless compositor with no seat gives no window the focus.
        if not wayland:
            check(wait_for(lambda: info.getState().contains(pyatspi.STATE_ACTIVE)) is not None,
                  "About opens active, with the focus")
    check(wait_for(lambda: title_of("Info...")) is not None, 'the About title is exactly "Info..."')
    return main


DIALOGS = (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)


def check_failure_report(app, belongs_to_main):
    """A box that cannot be read is reported in a dialog on the main window."""
    main = next(w for w in app if w is not None and w.name.endswith(QUESTION))
    spell1 = find(main, named("Current percent of spell 1", pyatspi.ROLE_TEXT))
    spell1.queryEditableText().setTextContents("x")
    do_action(find(main, named("enter", pyatspi.ROLE_PUSH_BUTTON)), "Press")
    report = wait_for(lambda: next((w for w in app if w is not None and w.getRole() in DIALOGS), None))
    check(report is not None, "a failure is reported in a dialog")
    if report is None:
        return
    text = " ".join(l.name for l in pyatspi.utils.findAllDescendants(report, lambda a: a.getRole() == pyatspi.ROLE_LABEL))
    check("first spell must be a whole number" in text, f"the report names the box ({text!r})")
    check(belongs_to_main(), "the report belongs to the main window")
    do_action(find(report, named("OK", pyatspi.ROLE_PUSH_BUTTON)), "Press")
    check(wait_for(lambda: all(w is None or w.getRole() not in DIALOGS for w in app)) is not None,
          "OK closes the report")
    spell1.queryEditableText().setTextContents("1")


# ---- pixels ----

def luminance(rgb):
    def channel(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def pixels(env, x, y, w, h):
    """The screen's pixels in a rectangle, as (r, g, b) tuples."""
    dump = subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "txt:-"],
                          env=env, capture_output=True, text=True).stdout
    return [tuple(int(v) for v in m) for m in re.findall(r"\((\d+),(\d+),(\d+)", dump)]


def check_bottom_line_reads_well(env, main, theme):
    """Each text of the bottom line against what is behind it, on screen."""
    def extents(name):
        return find(main, named(name, pyatspi.ROLE_LABEL)).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    closing_quote_left = extents('"')[0]
    for name in ('Mossbarrow sends, "', "<Quillo>", '"'):
        x, y, w, h = extents(name)
        w = min(w, closing_quote_left - x) if x < closing_quote_left else w  # the closing quote lies on top
        shown = pixels(env, x, y, w, h)
        background = max(set(shown), key=shown.count)
        text = max(shown, key=lambda p: contrast(p, background))
        ratio = contrast(text, background)
        check(ratio >= 4.5, f"{theme}: {name!r} reads at {ratio:.1f}:1 on {background}")


# ---- X11 with a window manager ----

def run_x11(program):
    display_pipe = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(display_pipe[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=[display_pipe[1]], stderr=subprocess.DEVNULL)
    os.close(display_pipe[1])
    display = ":" + os.read(display_pipe[0], 16).decode().strip()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    wm = start(["openbox"], env=env, stderr=subprocess.DEVNULL)
    calc = None
    try:
        # A window mapped before the window manager is up is not managed as
        # a player's would be.
        check(wait_for(lambda: subprocess.run(["wmctrl", "-m"], env=env, capture_output=True).returncode == 0),
              "openbox is up")
        calc = start([program], env=env, stderr=subprocess.DEVNULL)

        def title_of(wanted):
            out = subprocess.run(["wmctrl", "-l"], env=env, capture_output=True, text=True).stdout
            return [line for line in out.splitlines() if line.split(None, 3)[3:] == [wanted]]

        found = wait_for(lambda: title_of(f"196 {QUESTION}"))
        check(found is not None, "the window manager holds exactly the start-up title")
        window = title_of(f"196 {QUESTION}")[0].split()[0] if title_of(f"196 {QUESTION}") else None
        if window:
            prop = subprocess.run(["xprop", "-id", window, "_NET_WM_NAME", "WM_CLASS"], env=env,
                                  capture_output=True, text=True).stdout
            check(f'_NET_WM_NAME(UTF8_STRING) = "196 {QUESTION}"' in prop, "_NET_WM_NAME is the caption alone")
            check('"improves-calc", "improves-calc"' in prop, "WM_CLASS matches the desktop entry")

        app = wait_for(lambda: application(calc))
        check(app is not None, "the program is on the accessibility bus")
        if app is not None:
            check_screen_reader_view(app, title_of)

            def transient_for_main():
                report = title_of("Improves Calculator")
                if not report:
                    return False
                prop = subprocess.run(["xprop", "-id", report[0].split()[0], "WM_TRANSIENT_FOR"], env=env,
                                      capture_output=True, text=True).stdout
                return int(window, 16) == int(prop.rsplit("#", 1)[-1].strip(), 16) if "#" in prop else False
            check_failure_report(app, lambda: wait_for(transient_for_main) is not None)
            subprocess.run(["xdotool", "search", "--name", "^Info...$", "windowactivate", "--sync", "key", "Escape"],
                           env=env, capture_output=True)
            check(wait_for(lambda: not title_of("Info...")) is not None, "Escape hides About")

        subprocess.run(["wmctrl", "-c", f"{QUESTION}"], env=env)
        status = calc.wait(timeout=20)
        check(status == 0, f"the close button ends the program with 0 (got {status})")

        # The same window under GTK's dark theme, through Qt's GTK platform theme.
        dark = dict(env, QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME="Adwaita:dark")
        for theme, theme_env in (("default theme", env), ("dark Adwaita", dark)):
            calc = start([program], env=theme_env, stderr=subprocess.DEVNULL)
            check(wait_for(lambda: title_of(f"196 {QUESTION}")) is not None, f"{theme}: the window is up")
            app = wait_for(lambda: application(calc))
            main = next(w for w in app if w is not None and w.name.endswith(QUESTION))
            time.sleep(0.5)  # the first paint
            check_bottom_line_reads_well(env, main, theme)
            do_action(find(main, named("Exit", pyatspi.ROLE_PUSH_BUTTON)), "Press")
            status = calc.wait(timeout=20)
            check(status == 0, f"{theme}: Exit ends the program with 0 (got {status})")
    finally:
        for p in (calc, wm, xvfb):
            if p is not None and p.poll() is None:
                p.kill()
                p.wait()


# ---- Wayland ----

def run_wayland(program):
    runtime = tempfile.mkdtemp(prefix="improves-wayland-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    env.pop("DISPLAY", None)
    weston = start(["weston", "--backend=headless-backend.so", "--socket=improves-0", "--idle-time=0"],
                   env=env, stderr=subprocess.DEVNULL)
    calc = None
    log_path = os.path.join(runtime, "client.log")
    try:
        check(wait_for(lambda: os.path.exists(os.path.join(runtime, "improves-0"))) is not None, "weston is up")
        cenv = dict(env, WAYLAND_DISPLAY="improves-0", QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1",
                    QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        with open(log_path, "w") as log:
            calc = subprocess.Popen([program], env=cenv, stdout=subprocess.DEVNULL, stderr=log)

        def titles():
            with open(log_path, errors="replace") as log:
                return re.findall(r'xdg_toplevel@\d+\.set_title\("(.*)"\)', log.read())

        def title_of(wanted):
            return wanted in titles()

        check(wait_for(lambda: title_of(f"196 {QUESTION}")), "the compositor is sent exactly the start-up title")
        app = wait_for(lambda: application(calc))
        check(app is not None, "the program is on the accessibility bus")
        if app is not None:
            check_screen_reader_view(app, title_of, wayland=True)

            def parented():
                with open(log_path, errors="replace") as log:
                    return re.search(r'xdg_toplevel@\d+\.set_parent\(xdg_toplevel@\d+\)', log.read())
            check_failure_report(app, lambda: wait_for(parented) is not None)
            info = next(w for w in app if w is not None and w.name == "Info...")
            do_action(find(info, named("Close", pyatspi.ROLE_PUSH_BUTTON)), "Press")
            check(wait_for(lambda: not any(w is not None and w.name == "Info..." and
                                           w.getState().contains(pyatspi.STATE_VISIBLE) for w in app)) is not None,
                  "About's close button closes it")
            check(calc.poll() is None, "closing About leaves the program running")
            main = next(w for w in app if w is not None and w.name.endswith(QUESTION))
            do_action(find(main, named("Exit", pyatspi.ROLE_PUSH_BUTTON)), "Press")
        status = calc.wait(timeout=20)
        check(status == 0, f"Exit ends the program with 0 (got {status})")
        check(all(t in ("Info...", "Improves Calculator") or re.fullmatch(rf"-?\d+ {re.escape(QUESTION)}", t) for t in titles()),
              f"every title sent is a caption alone ({sorted(set(titles()))})")
    finally:
        for p in (calc, weston):
            if p is not None and p.poll() is None:
                p.kill()
                p.wait()
        shutil.rmtree(runtime, ignore_errors=True)


def main():
    program, kind = sys.argv[1], sys.argv[2]
    # The accessibility bus of this private session, as a desktop starts it.
    launcher = start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], stderr=subprocess.DEVNULL)
    try:
        time.sleep(0.5)
        (run_x11 if kind == "x11" else run_wayland)(program)
    finally:
        launcher.kill()
        launcher.wait()
    print("failed: " + "; ".join(failures) if failures else "every check passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
