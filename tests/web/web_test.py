#!/usr/bin/python3
"""The calculator's web page in headless Chromium, as a player's browser
shows it: first paint, the page's title after each kind of event, a bad box
reported once, About shown and hidden, the live region, Exit; then a random
session whose title is checked after every event against the reference
model.

usage: web_test.py SITE_DIR SOURCE_DIR MODEL_REPLAY.js [EVENTS]

The site is served on a free port of 127.0.0.1 and the browser runs with a
profile and runtime folder of the test's own; both are ended when the test
ends, pass or fail.
"""

import io
import os
import random
import re
import subprocess
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, Pieces, check, run_checks, serve, wait_for  # noqa: E402

from PIL import Image  # noqa: E402

QUESTION = "How many improves for my next level?"
WIDTH, HEIGHT = 1280, 800
# Well inside ctest's 300 s, so that the test ends what it started itself.
DEADLINE_SECONDS = 240


# ---- where the layout puts things, read from its own tables ----

def px(twips):
    return int(twips / 15 + 0.5)


class Layout:
    """Centres of the main window's controls in client pixels, from the
    layout's tables in the program's source."""

    def __init__(self, source):
        with open(os.path.join(source, "ui", "form1_layout.cpp")) as f:
            table = f.read()
        with open(os.path.join(source, "ui", "form1_layout.h")) as f:
            header = f.read()
        with open(os.path.join(source, "calc", "calc_state.h")) as f:
            schools = f.read()
        self.client = tuple(px(int(v)) for v in
                            re.search(r"kForm1Width = (\d+), kForm1Height = (\d+)", header).groups())
        self.rects = {}
        row = re.compile(r'^\s*\{(?:"(\w+)"|boxName\(NumberBox::(\w+)\)), Kind::\w+, (?:nullptr|"(\w+)"), .*?, '
                         r'(-?\d+), (-?\d+), (\d+), (\d+), \d+, Look::\w+\},', re.M)
        for m in row.finditer(table):
            name = m.group(1) or m.group(2)
            self.rects[name] = (m.group(3), *(px(int(v)) for v in m.groups()[3:]))
        arrays = dict(re.findall(r'\{School::(\w+), "[^"]*", "(\w+)",', schools))
        level = dict(zip(("left", "top", "step", "width", "height"), (int(v) for v in re.search(
            r"kLevelLeft = (\d+), kLevelTop = (\d+), kLevelStep = (\d+), kLevelWidth = (\d+), kLevelHeight = (\d+)",
            table).groups())))
        for school, frame in re.findall(r'\{School::(\w+), "(Frame\d)", \{', table):
            for i in range(7):
                self.rects[f"{arrays[school]}_{i}"] = (frame, px(level["left"]), px(level["top"] + i * level["step"]),
                                                       px(level["width"]), px(level["height"]))
        spells = re.findall(r'\{"[^"]*", "[^"]*", (\d+), (\d+), (\d+), (\d+), \d+\},', table)
        for i, rect in enumerate(spells, start=1):
            self.rects[f"spells_{i}"] = ("Frame7", *(px(int(v)) for v in rect))

    def at(self, name, aim=None):
        """A point of the control in client pixels: its centre, or for an
        option its indicator, where a player aims."""
        container, left, top, width, height = self.rects[name]
        x, y = (left + 8, top + height // 2) if aim == "indicator" else (left + width // 2, top + height // 2)
        while container:
            parent, pleft, ptop, _, _ = self.rects[container]
            x, y, container = x + pleft, y + ptop, parent
        return x, y


# ---- the page ----

def image(png):
    return Image.open(io.BytesIO(png)).convert("RGB")


def client_origin(browser, layout):
    """Where Qt put the main window's client area in the page: the window's
    frame is what is not the canvas's background, and the client area sits
    at its bottom between equal borders."""
    shot = image(browser.screenshot())
    background = shot.getpixel((WIDTH - 1, HEIGHT // 2))
    left = next((x for x in range(WIDTH) if shot.getpixel((x, 200)) != background), None)
    if left is None:
        return None  # not drawn yet
    top = next(y for y in range(HEIGHT) if shot.getpixel((left + 100, y)) != background)
    right = next(x for x in range(left, WIDTH) if shot.getpixel((x, 200)) == background) - 1
    bottom = next(y for y in range(top, HEIGHT) if shot.getpixel((left + 100, y)) == background) - 1
    border = (right - left + 1 - layout.client[0]) // 2
    return left + border, bottom + 1 - border - layout.client[1]


class Page:
    def __init__(self, browser, layout, origin):
        self.browser, self.layout, self.origin = browser, layout, origin

    def title(self):
        return self.browser.evaluate("document.title")

    def live(self):
        return self.browser.evaluate("document.getElementById('live').textContent")

    def click(self, name, aim=None):
        x, y = self.layout.at(name, aim)
        self.browser.click(self.origin[0] + x, self.origin[1] + y)

    def retype(self, box, text, longest=8):
        """Replaces the box's text as a player may: from its end, erasing
        (Ctrl+A is the browser's before it is Qt's)."""
        self.click(box)
        self.browser.key("End")
        for _ in range(longest):
            self.browser.key("Backspace")
        self.browser.type(text)

    def title_becomes(self, wanted, seconds=10):
        return wait_for(lambda: self.title() == wanted, seconds=seconds) is not None

    def report_open(self):
        """Whether the failure report is drawn over the calculator: its
        warning sign is the only large yellow the page shows (the windows'
        icons, in their title bars, hold a little)."""
        width, height = self.layout.client
        shot = image(self.browser.screenshot(clip=(0, self.origin[1], width + 120, height)))
        return sum(r > 200 and g > 200 and b < 80 for r, g, b in shot.getdata()) > 150

    def top_left(self):
        """The pixels where Qt puts a new window, such as About: the top
        left of the page."""
        return image(self.browser.screenshot(clip=(0, 0, 240, 100))).tobytes()


def expect_title(page, number, what):
    wanted = f"{number} {QUESTION}"
    check(page.title_becomes(wanted), f"{what}: the page's title is \"{wanted}\" (is \"{page.title()}\")")


def check_events(page):
    expect_title(page, 196, "at start")
    check(page.live().startswith("Improves still needed for the next level: 196\nDrastically Further"),
          f"the live region carries the start-up result ({page.live()!r})")

    page.click("Faren_3", "indicator")
    expect_title(page, 224, "after Faren Level Three")
    check("Faren Level Three: 2 levels above Level One" in page.live(),
          f"the live region carries the new result's working ({page.live()!r})")

    page.retype("Spell1", "40")
    page.browser.key("Enter")
    expect_title(page, 185, "after 40 typed into the first percent and Enter")

    page.retype("txtInt", "50")
    page.browser.key("Enter")
    expect_title(page, 0 + 28 + 59 - 42, "after Intellect 50 typed and Enter")

    # A bad box: one report, which OK dismisses; the last result stays.
    page.retype("Spell2", "abc")
    page.browser.key("Enter")
    check(wait_for(page.report_open, seconds=10) is not None, "a bad box is reported in a dialog")
    check("second spell must be a whole number" in page.live(),
          f"the live region carries the report ({page.live()!r})")
    check(page.title() == f"45 {QUESTION}", "the last result stays while it is reported")
    page.browser.key("Enter")  # the report's OK
    check(wait_for(lambda: not page.report_open(), seconds=10) is not None, "OK closes the report")
    page.retype("Spell2", "1")
    page.browser.key("Enter")
    expect_title(page, 0 + 28 + 59 - 42, "after the box is mended")

    # About comes up over the calculator where Qt puts a new window, a click
    # on its texts hides it, and "About" shows it again.
    alone = page.top_left()
    page.click("Command3")
    check(wait_for(lambda: page.top_left() != alone, seconds=10) is not None, "About shows over the calculator")
    page.browser.click(100, 60)  # on its texts, below its title bar
    check(wait_for(lambda: page.top_left() == alone, seconds=10) is not None, "a click on About hides it")
    page.click("Command3")
    check(wait_for(lambda: page.top_left() != alone, seconds=10) is not None, "About shows again")


# ---- a random session against the model ----

NUMBER_TEXTS = ["1", "0", "7", "30", "45", "50", "51", "100", "-1", "-7", "10922", "10923", "32767",
                "-32768", "40000", "", "X", "abc", "1.5"]


def random_events(rng, count, columns):
    """Events a player might make; typing only into the boxes the spell
    count leaves enabled."""
    events, spell_count = [], 3
    while len(events) < count:
        roll = rng.randrange(100)
        if roll < 35:
            column, option = rng.randrange(7), rng.choice([0, 0, 1, 1, 2, 3, 4, 5, 6])
            events.append((f"level {column} {option}", ("click", f"{columns[column]}_{option}")))
        elif roll < 45:
            spell_count = rng.randint(1, 3)
            events.append((f"spells {spell_count}", ("click", f"spells_{spell_count}")))
        elif roll < 75:
            box = rng.randrange({1: 2, 2: 3, 3: 4}[spell_count])
            text = rng.choice(NUMBER_TEXTS) if rng.randrange(2) else str(rng.randint(-150, 150))
            events.append((f"type {box} {text}", ("type", box, text)))
        elif roll < 90:
            box = rng.randrange({1: 2, 2: 3, 3: 4}[spell_count])
            events.append(("enter", ("enter in", box)))
        else:
            events.append(("enter", ("click", "Command1")))
    return events


BOXES = ["txtInt", "Spell1", "Spell2", "Spell3"]


def check_random_session(page, replay, count, seed):
    header, *_ = run_replay(replay, [])
    columns = header.split()
    events = random_events(random.Random(seed), count, columns)
    _, *expected = run_replay(replay, [e[0] for e in events])
    played = []
    for (event, action), line in zip(events, expected):
        title, reported = line.split("\t")
        kind = action[0]
        if kind == "click":
            page.click(action[1], "indicator" if "_" in action[1] else None)
        elif kind == "type":
            page.retype(BOXES[action[1]], action[2])
        else:
            page.click(BOXES[action[1]])
            page.browser.key("Enter")
        played.append(event)
        if not page.title_becomes(title, seconds=10):
            check(False, f"seed {seed}, event {len(played)} ({event}): title \"{page.title()}\", "
                         f"the model says \"{title}\"; events: {played[-8:]}")
            return
        if reported == "report":
            if not wait_for(page.report_open, seconds=10):
                check(False, f"seed {seed}, event {len(played)} ({event}): no report, the model expects one")
                return
            page.browser.key("Enter")
            wait_for(lambda: not page.report_open(), seconds=10)
    check(True, f"a random session of {count} events (seed {seed}) follows the model, title for title")


def run_replay(replay, lines):
    out = subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "node-run.sh"), replay],
                         input="".join(line + "\n" for line in lines), capture_output=True, text=True, check=True)
    return out.stdout.rstrip("\n").split("\n")


def main():
    site, source, replay = sys.argv[1:4]
    events = int(sys.argv[4]) if len(sys.argv) > 4 else 40
    seed = int(os.environ.get("IMPROVES_WEB_SEED", "1"))
    pieces = Pieces()
    opened = []

    def finish():
        for browser in opened:
            browser.close()
        left = pieces.end()
        check(not left, f"nothing the test started is left running (left: {left})")

    def body():
        gzipped = sum(len(subprocess.run(["gzip", "-9c", os.path.join(site, name)], capture_output=True,
                                         check=True).stdout) for name in os.listdir(site))
        check(gzipped <= 3_000_000, f"the site is at most 3 MB after gzip -9 ({gzipped} bytes)")
        layout = Layout(source)
        url = serve(pieces, site)
        browser = Browser(pieces, WIDTH, HEIGHT)
        opened.append(browser)
        start = time.monotonic()
        browser.open(url + "/index.html")
        # The page's own title is the bare question; the program puts its
        # number in front.
        check(wait_for(lambda: re.match(r"-?\d+ ", browser.evaluate("document.title") or ""), seconds=60),
              f"the program sets the page's title ({time.monotonic() - start:.1f} s)")
        origin = wait_for(lambda: client_origin(browser, layout), seconds=30)
        if not check(origin is not None, f"the main window is drawn ({time.monotonic() - start:.1f} s after navigation)"):
            return
        page = Page(browser, layout, origin)
        check_events(page)
        # A fresh page for the session: the same start as the model's.
        browser.open(url + "/index.html")
        check(wait_for(lambda: browser.evaluate("document.title") == f"196 {QUESTION}", seconds=60),
              "the page loads again")
        check_random_session(page, replay, events, seed)

        page.click("Command2")
        check(wait_for(lambda: "Reload the page" in (browser.evaluate(
            "document.getElementById('status').textContent") or ""), seconds=10),
            "Exit ends the program and the page says how to start it again")

    return run_checks(body, finish, DEADLINE_SECONDS, __file__)


if __name__ == "__main__":
    sys.exit(main())
