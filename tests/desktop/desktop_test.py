#!/usr/bin/python3
"""The calculator on real desktop pieces, each started and ended here.

usage: desktop_test.py PROGRAM x11|wayland LAYOUT.json NAME
       (the layout's facts as the build wrote them, the product's name)

x11:     Xvfb with openbox. Reads the titles the window manager holds
         (xprop), and drives and reads the program through the AT-SPI
         accessibility bus as a screen reader does; closes it with the window
         manager's close request (wmctrl) and expects exit status 0.
wayland: a headless weston. Reads the titles the compositor is sent
         (the client's protocol log), opens About and presses Exit through
         AT-SPI, and expects exit status 0.

Every piece (session bus, accessibility bus, display, window manager or
compositor, the program) runs in the test's own runtime folder and process
group, and is ended when the test ends, pass or fail.
"""

import json
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # importing pieces must leave no cache in the source tree

import gi  # noqa: E402

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

import pieces as desktop_pieces  # noqa: E402
from pieces import Pieces, StandInSession, check, run_checks  # noqa: E402

# The title's question, About's title and the product's name, as the build
# gives them (main sets them).
QUESTION = ABOUT = NAME = None
pyatspi = None  # imported once the test's own buses are up


# ---- AT-SPI, as a screen reader reads it ----

def application(process):
    """The accessible application of `process`, once it shows its main window."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == process.pid and app.childCount > 0:
            return app
    return None


def find(root, predicate):
    return pyatspi.utils.findDescendant(root, predicate)


def wait_for(probe, **options):
    """Polls probe(); an object that goes away while the probe looks (the
    tree changes under a poll) counts as "not yet"."""
    return desktop_pieces.wait_for(probe, transient=(GLib.Error,), **options)


def named(name, role=None):
    return lambda acc: acc is not None and acc.name == name and (role is None or acc.getRole() == role)


def do_action(acc, action_name):
    """Runs the action; a missing control or action is a failed check."""
    if acc is None:
        return check(False, f"a control to {action_name} is there")
    actions = acc.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action_name:
            return actions.doAction(i)
    return check(False, f"{acc.name} has the action {action_name}")


def frame(app, predicate):
    return next((w for w in app if w is not None and predicate(w)), None)


def main_frame(app):
    return frame(app, lambda w: w.name.endswith(QUESTION))


def name_changes(source, act, settle_ms=1000):
    """The accessible names `source` announces while act() runs: every
    change until none has come for `settle_ms` after the last (or none at
    all within 10 s)."""
    seen = []
    timers = {}

    def stop(which):
        timers.pop(which, None)
        pyatspi.Registry.stop()
        return False

    def listener(event):
        if event.source == source:
            seen.append(event.source.name)
            if "settle" in timers:
                GLib.source_remove(timers.pop("settle"))
            timers["settle"] = GLib.timeout_add(settle_ms, stop, "settle")

    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    GLib.timeout_add(0, lambda: act() and False)
    timers["give_up"] = GLib.timeout_add(10000, stop, "give_up")
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    for timer in timers.values():
        GLib.source_remove(timer)
    return seen


def result_after(total, act, expected, what):
    """act() gives `expected` as the result, announced once."""
    seen = name_changes(total, act)
    check(seen == [expected], f"{what}: {expected} is announced once (announced {seen})")


def check_screen_reader_view(app, title_of, wayland=False):
    main = main_frame(app)
    if not check(main is not None and main.getRole() == pyatspi.ROLE_FRAME,
                 "the main window is a frame named by its title"):
        return
    unnamed = pyatspi.utils.findAllDescendants(main, lambda a: a is not None and not a.name)
    check(not unnamed, f"every control has a name (unnamed: {[a.getRoleName() for a in unnamed]})")

    total = find(main, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LABEL
                 and a.description.startswith("Improves still needed"))
    six = find(main, named("Kraanan, Level Six", pyatspi.ROLE_RADIO_BUTTON))
    if not check(total is not None and six is not None, "the result and the options are on the bus"):
        return
    result_after(total, lambda: do_action(six, "Toggle"), "266", "the Toggle action")
    check(six.getState().contains(pyatspi.STATE_CHECKED), "the Toggle action selects the option")
    check(total.name == "266", f"the result follows the Toggle action (shows {total.name})")
    working = total.description.splitlines()
    check(working[-1:] == ["70 + 199 - 3 = 266 improves left"]
          and "Kraanan Level Six: 5 levels above Level One \u00d7 14 = 70" in working,
          f"the result's description carries its working ({working})")
    check(wait_for(lambda: title_of(f"266 {QUESTION}")) is not None, "the title follows the Toggle action")

    about = find(main, named("About", pyatspi.ROLE_PUSH_BUTTON))
    do_action(about, "Press")
    info = wait_for(lambda: frame(app, lambda w: w.name == ABOUT))
    check(info is not None and info.getRole() == pyatspi.ROLE_FRAME, f'About is a frame named "{ABOUT}"')
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
    check(wait_for(lambda: title_of(ABOUT)) is not None, f'the About title is exactly "{ABOUT}"')


DIALOGS = ("dialog", "alert")


def dialogs(app):
    return [w for w in app if w is not None and w.getRoleName() in DIALOGS]


def check_failure_report(app, belongs_to_main, wayland=False):
    """A box that cannot be read is reported in one dialog on the main window."""
    main = main_frame(app)
    spell1 = find(main, named("Current percent of spell 1", pyatspi.ROLE_TEXT)) if main else None
    enter = find(main, named("enter", pyatspi.ROLE_PUSH_BUTTON)) if main else None
    if not check(spell1 is not None and enter is not None, "the first percent and enter are on the bus"):
        return
    def texts(dialog):
        return " ".join(l.name for l in pyatspi.utils.findAllDescendants(
            dialog, lambda a: a.getRole() == pyatspi.ROLE_LABEL))

    def report_of(bad):
        return next((d for d in dialogs(app) if f'"{bad}"' in texts(d)), None)

    spell1.queryEditableText().setTextContents("x")
    do_action(enter, "Press")
    check(wait_for(lambda: report_of("x")) is not None, "a failure is reported in a dialog")
    # A screen reader's Press still reaches the window under the report.
    # (Two Presses in a row are one click: a button's Press animates it.)
    spell1.queryEditableText().setTextContents("y")
    do_action(enter, "Press")
    # Once a report tells of "y", the second failure has been handled: a
    # second report would be up by then.
    report = wait_for(lambda: report_of("y"))
    check(report is not None, "a second failure is told in the report")
    if report is None:
        return
    check(belongs_to_main(), "the report belongs to the main window")
    do_action(wait_for(lambda: find(report, named("OK", pyatspi.ROLE_PUSH_BUTTON))), "Press")
    check(wait_for(lambda: not dialogs(app)) is not None, "OK closes the report")
    # A headless compositor with no seat gives no window the focus.
    if not wayland:
        check(wait_for(lambda: spell1.getState().contains(pyatspi.STATE_FOCUSED), seconds=5) is not None,
              "the box the report named has the focus")


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
        label = find(main, named(name, pyatspi.ROLE_LABEL))
        return label.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) if label else None

    closing_quote = extents('"')
    for name in ('Mossbarrow sends, "', "<Quillo>", '"'):
        box = extents(name)
        if not check(box is not None and closing_quote is not None, f"{theme}: {name!r} is on the bus"):
            continue
        x, y, w, h = box
        if x < closing_quote[0]:
            w = min(w, closing_quote[0] - x)  # the closing quote lies on top
        # The text is drawn once the region holds more than its background.
        shown = wait_for(lambda: (lambda p: p if len(set(p)) > 2 else None)(pixels(env, x, y, w, h)), seconds=10)
        if not check(shown is not None, f"{theme}: {name!r} is drawn"):
            continue
        background = max(set(shown), key=shown.count)
        text = max(shown, key=lambda p: contrast(p, background))
        ratio = contrast(text, background)
        check(ratio >= 4.5, f"{theme}: {name!r} reads at {ratio:.1f}:1 on {background}")


# ---- the buses ----

def start_session_bus(pieces):
    """A session bus of the test's own; whatever it starts on demand runs in
    the test's runtime folder."""
    read, write = os.pipe()
    pieces.start(["dbus-daemon", "--session", "--nofork", f"--print-address={write}"], pass_fds=[write])
    os.close(write)
    address = os.read(read, 1024).decode().strip()
    os.close(read)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = pieces.env["DBUS_SESSION_BUS_ADDRESS"] = address
    return address


def accessibility_bus_answers():
    """Whether org.a11y.Bus gives its address, without starting one."""
    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                      GLib.VariantType("(s)"), Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
        return True
    except GLib.Error:
        return False


def start_accessibility_bus(pieces, env):
    global pyatspi
    pieces.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env)
    if check(wait_for(accessibility_bus_answers) is not None, "the accessibility bus answers"):
        import pyatspi as atspi
        pyatspi = atspi
        return True
    return False


# ---- X11 with a window manager ----

def run_x11(program, pieces, session):
    display_pipe = os.pipe()
    # -noreset: a server that resets when its last client leaves drops one
    # still connecting (the reason is told in private-x.sh).
    pieces.start(["Xvfb", "-displayfd", str(display_pipe[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                  "-noreset"],
                 pass_fds=[display_pipe[1]])
    os.close(display_pipe[1])
    display = ":" + os.read(display_pipe[0], 16).decode().strip()
    # Where a launcher that ignored the test's runtime folder would put its bus.
    session.listen(f"bus_{display[1:]}")
    env = dict(pieces.env, DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    pieces.start(["openbox"], env=env)
    # A window mapped before the window manager is up is not managed as
    # a player's would be.
    check(wait_for(lambda: subprocess.run(["wmctrl", "-m"], env=env, capture_output=True).returncode == 0),
          "openbox is up")
    if not start_accessibility_bus(pieces, env):
        return
    calc = pieces.start([program], env=env)

    def title_of(wanted):
        out = subprocess.run(["wmctrl", "-l"], env=env, capture_output=True, text=True).stdout
        return [line for line in out.splitlines() if line.split(None, 3)[3:] == [wanted]]

    found = wait_for(lambda: title_of(f"196 {QUESTION}"))
    check(found is not None, "the window manager holds exactly the start-up title")
    window = found[0].split()[0] if found else None
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
            report = title_of(NAME)
            if not report or not window:
                return False
            prop = subprocess.run(["xprop", "-id", report[0].split()[0], "WM_TRANSIENT_FOR"], env=env,
                                  capture_output=True, text=True).stdout
            return int(window, 16) == int(prop.rsplit("#", 1)[-1].strip(), 16) if "#" in prop else False
        check_failure_report(app, lambda: wait_for(transient_for_main) is not None)
        subprocess.run(["xdotool", "search", "--name", f"^{re.escape(ABOUT)}$", "windowactivate", "--sync", "key",
                        "Escape"],
                       env=env, capture_output=True)
        check(wait_for(lambda: not title_of(ABOUT)) is not None, "Escape hides About")

    subprocess.run(["wmctrl", "-c", f"{QUESTION}"], env=env)
    status = calc.wait(timeout=20)
    check(status == 0, f"the close button ends the program with 0 (got {status})")

    # The same window under GTK's dark theme, through Qt's GTK platform theme.
    dark = dict(env, QT_QPA_PLATFORMTHEME="gtk3", GTK_THEME="Adwaita:dark")
    for theme, theme_env in (("default theme", env), ("dark Adwaita", dark)):
        calc = pieces.start([program], env=theme_env)
        check(wait_for(lambda: title_of(f"196 {QUESTION}")) is not None, f"{theme}: the window is up")
        app = wait_for(lambda: application(calc))
        main = main_frame(app) if app else None
        if not check(main is not None, f"{theme}: the program is on the accessibility bus"):
            continue
        check_bottom_line_reads_well(env, main, theme)
        do_action(find(main, named("Exit", pyatspi.ROLE_PUSH_BUTTON)), "Press")
        status = calc.wait(timeout=20)
        check(status == 0, f"{theme}: Exit ends the program with 0 (got {status})")


# ---- Wayland ----

def run_wayland(program, pieces, session):
    session.listen("bus")  # a launcher without a display names its bus so
    env = pieces.env
    pieces.start(["weston", "--backend=headless-backend.so", "--socket=improves-0", "--idle-time=0"])
    check(wait_for(lambda: os.path.exists(os.path.join(pieces.runtime, "improves-0"))) is not None, "weston is up")
    if not start_accessibility_bus(pieces, env):
        return
    log_path = os.path.join(pieces.runtime, "client.log")
    cenv = dict(env, WAYLAND_DISPLAY="improves-0", QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1",
                QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    with open(log_path, "w") as log:
        calc = pieces.start([program], env=cenv, stderr=log)

    def titles():
        with open(log_path, errors="replace") as log:
            # libwayland's log names an object interface@id, from 1.22 on interface#id.
            return re.findall(r'xdg_toplevel[@#]\d+\.set_title\("(.*)"\)', log.read())

    def title_of(wanted):
        return wanted in titles()

    check(wait_for(lambda: title_of(f"196 {QUESTION}")), "the compositor is sent exactly the start-up title")
    app = wait_for(lambda: application(calc))
    check(app is not None, "the program is on the accessibility bus")
    if app is not None:
        check_screen_reader_view(app, title_of, wayland=True)

        def parented():
            with open(log_path, errors="replace") as log:
                return re.search(r'xdg_toplevel[@#]\d+\.set_parent\(xdg_toplevel[@#]\d+\)', log.read())
        check_failure_report(app, lambda: wait_for(parented) is not None, wayland=True)
        info = frame(app, lambda w: w.name == ABOUT)
        do_action(find(info, named("Close", pyatspi.ROLE_PUSH_BUTTON)) if info else None, "Press")
        check(wait_for(lambda: not any(w is not None and w.name == ABOUT and
                                       w.getState().contains(pyatspi.STATE_VISIBLE) for w in app)) is not None,
              "About's close button closes it")
        check(calc.poll() is None, "closing About leaves the program running")
        main = main_frame(app)
        do_action(find(main, named("Exit", pyatspi.ROLE_PUSH_BUTTON)) if main else None, "Press")
    status = calc.wait(timeout=20)
    check(status == 0, f"Exit ends the program with 0 (got {status})")
    check(all(t in (ABOUT, NAME) or re.fullmatch(rf"-?\d+ {re.escape(QUESTION)}", t) for t in titles()),
          f"every title sent is a caption alone ({sorted(set(titles()))})")


# Well inside ctest's 120 s: a test that ctest has to kill cannot end what
# it started, so it gives up first and ends everything itself.
DEADLINE_SECONDS = 90


def main():
    program, kind = sys.argv[1], sys.argv[2]
    global QUESTION, ABOUT, NAME
    with open(sys.argv[3]) as f:
        facts = json.load(f)
    QUESTION, ABOUT, NAME = facts["question"], facts["about_title"], sys.argv[4]
    session = StandInSession()
    pieces = Pieces()

    def finish():
        left = pieces.end()
        check(not left, f"nothing the test started is left running (left: {left})")
        touched = session.untouched()
        check(not touched, f"the session's own sockets are untouched (touched: {touched})")
        session.close()

    def body():
        start_session_bus(pieces)
        (run_x11 if kind == "x11" else run_wayland)(program, pieces, session)

    return run_checks(body, finish, DEADLINE_SECONDS, __file__)


if __name__ == "__main__":
    sys.exit(main())
