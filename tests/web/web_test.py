#!/usr/bin/python3
"""The calculator's web page in one engine (Chromium, WebKit or Firefox), as
players meet it; the same checks in each.

At a desk (1280 x 800): every control at its place, each caption as wide as
its face lays it out; the title after each kind of event, the keyboard's
order, a report and the focus after it, About, the working, axe-core, Exit.
As a phone (360 x 740; in Chromium with touch, typing one character at a
time): at 390, 360 and 320 the window's reading order and fields a phone
does not zoom into, nothing cut off, every state whole on screen; targets
for fingers, the number in view wherever the player taps, axe-core, the
School box, a random session against the reference model driven by the
controls' accessible names. With a player's settings: dark, at a desk and
as a phone; larger text (a minimum and a default size). Then the page
again with the network gone, and a new version replacing an old one served
as a forge serves it. Chromium alone can run the page with scripts off,
emulate touch, and give its accessibility tree and installability: those
checks are its alone, and each other engine says what it could not do.

usage: web_test.py ENGINE SITE_DIR LAYOUT.json MODEL_REPLAY.js AXE.js [EVENTS]

The site is served on a port the system gives, the browser runs with a
profile and runtime folder of the test's own; both end with the test, pass
or fail. A screenshot of each engine at a desk and as a phone is left in the
working folder.
"""

import json
import os
import random
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import ENGINES, Pieces, Prefs, Served, check, find_ax, run_checks, wait_for  # noqa: E402
from page_checks import Faces, check_captions, check_number_in_view, check_update  # noqa: E402
from player_checks import (check_dark, check_large_text, check_options_told_apart, check_phone_layout,  # noqa: E402
                           check_school_box, check_states_whole, check_text_follows)

QUESTION = None  # the title's question, as the layout gives it (main sets it)
DESK, PHONE = (1280, 800), (360, 740)
SITE_LIMIT = 150_000  # bytes, after gzip -9, fonts and all
DEADLINE_SECONDS = 240  # well inside ctest's limit, so that the test ends what it started


# ---- what the layout says, as the build wrote it ----

class Layout:
    """The main window's controls as the build's layout.json gives them:
    each place in pixels within its container, the tab order, the captions
    and the names a screen reader is given."""

    def __init__(self, path):
        with open(path) as f:
            facts = json.load(f)
        self.question = facts["question"]
        self.reading_order, self.school_list = facts["reading_order"], facts["school_list"]
        self.controls = {name: (c["kind"], c["container"], c["caption"], *c["place"], c["tab"])
                         for name, c in facts["controls"].items()}
        # option array -> (frame, the name a screen reader gives it, the options' captions)
        self.groups = {array: (g["frame"], self.controls[g["frame"]][2], g["options"])
                       for array, g in facts["groups"].items()}
        self.spoken = {name: c["spoken"] for name, c in facts["controls"].items() if c["kind"] == "TextBox"}

    def place(self, name):
        """The control's place within the window's client area."""
        kind, container, _, x, y, w, h, _ = self.controls[name]
        while container:
            _, parent, _, cx, cy, _, _, _ = self.controls[container]
            x, y, container = x + cx, y + cy, parent
        return x, y, w, h

    def focus_order(self):
        """Where Tab goes: the controls by tab index, an option group (named
        by its array) at its selected option, and the number, which on the
        page takes the focus to show its working."""
        order = []
        for name, (kind, _, _, _, _, _, _, _) in sorted(self.controls.items(), key=lambda c: c[1][7]):
            if kind == "Option":
                name = name.rsplit("_", 1)[0]
            elif kind in ("Frame", "Label") and name != "lblTotal":
                continue
            if name not in order:
                order.append(name)
        return order


# ---- the page ----

class Page:
    def __init__(self, browser):
        self.browser = browser

    def js(self, expression):
        return self.browser.evaluate(expression)

    def title(self):
        return self.js("document.title")

    def shown(self, element_id):
        return self.js(f"getComputedStyle(document.getElementById('{element_id}')).display !== 'none' && "
                       f"!!document.getElementById('{element_id}').getClientRects().length")

    def centre(self, element_id):
        return self.js(f"(r => [r.x + r.width / 2, r.y + r.height / 2])("
                       f"document.getElementById('{element_id}').getBoundingClientRect())")

    def click(self, element_id):
        self.browser.click(*self.centre(element_id))

    def title_becomes(self, number, seconds=10):
        return wait_for(lambda: self.title() == f"{number} {QUESTION}", seconds=seconds) is not None

    def ready(self):
        """The core has loaded the window: its first result is announced."""
        return wait_for(lambda: self.js("document.getElementById('live').value"), seconds=20) is not None


def open_page(browser, url, scripts=True):
    browser.open(url, scripts)
    return wait_for(lambda: browser.evaluate("document.readyState") == "complete", seconds=20)


def expect_title(page, number, what):
    check(page.title_becomes(number), f"{what}: the title is \"{number} {QUESTION}\" (is \"{page.title()}\")")
    check(page.js("document.getElementById('caption').textContent") == page.title(),
          f"{what}: the window's caption line says the same")


def check_before_scripts(page):
    check(page.title() == f"196 {QUESTION}", f"before any script: the title holds the first result ({page.title()})")
    check(page.js("[lblTotal.value, Label1.value]") == ["196", "Drastically Further"],
          "before any script: the number and its verdict are there")
    check(page.js("document.querySelectorAll('input[type=radio]').length") == 52, "before any script: 52 options")


def check_places(page, layout):
    off = []
    origin = page.js("(r => [r.x, r.y])(client.getBoundingClientRect())")
    for name, control in layout.controls.items():
        element = f"document.getElementById('{name}')" + (".parentElement" if control[0] == "Option" else "")
        x, y, w, h = page.js(f"(r => [r.x, r.y, r.width, r.height])({element}.getBoundingClientRect())")
        want = layout.place(name)
        if any(abs(a - b) > 0.5 for a, b in zip((x - origin[0], y - origin[1], w, h), want)):
            off.append(f"{name} at {x - origin[0]:g},{y - origin[1]:g} {w:g}x{h:g}, the layout says {want}")
    check(not off, f"at a desk every control is at its place, 15 twips a pixel ({off[:4]})")


def check_desk(page, layout):
    b = page.browser
    check(page.js("[...document.fonts].filter(f => f.status === 'loaded').length") == 4,
          "the layout's four faces are loaded")
    page.click("Faren_3")
    expect_title(page, 224, "a click on Faren Level Three")
    check("224" in page.js("live.value"), "the live region tells the new number")

    b.key("ArrowDown")
    expect_title(page, 238, "the arrow key down to Faren Level Four")
    page.click("Faren_4")
    expect_title(page, 238, "the selected option clicked again")

    page.click("Spell1")
    b.key("a", modifiers=2)
    b.type("40")
    b.key("Enter")
    expect_title(page, 199 + 42 - 42, "40 typed into the first percent and Enter")

    page.click("spells_1")
    check(page.js("[Spell2.value, Spell2.disabled, Spell3.value, Spell3.disabled]") == ["X", True, "X", True],
          "one spell: the other percents read X and take no input")
    expect_title(page, 241 - 120, "one spell")
    page.click("spells_2")
    check(page.js("[Spell2.value, Spell2.disabled, Spell3.disabled]") == ["1", False, True],
          "two spells: the second percent reads 1 and takes input")
    expect_title(page, 241 - 42, "two spells")

    page.click("txtInt")
    b.key("a", modifiers=2)
    b.type("51")
    if b.can("focus events"):
        page.js("txtInt.blur()")
        check(page.title() == f"{241 - 42} {QUESTION}", "at a desk, a box left after an edit changes nothing")
    page.click("Command1")
    expect_title(page, 42 + 59 - 42, "Intellect 51 and \"enter\"")

    # A bad box: one modal report naming it; afterwards the box has the focus
    # with its text selected, so that typing replaces it.
    page.click("Spell2")
    b.key("a", modifiers=2)
    b.type("abc")
    b.key("Enter")
    check(wait_for(lambda: page.js("report.open && report.matches(':modal')")), "a bad box is reported in a modal dialog")
    check("second spell" in page.js("live.value"), "the live region tells the report")
    check(page.js("document.activeElement.id") == "report-ok", "the report's OK has the focus")
    if b.can("keys press buttons"):
        b.key("Enter")
    else:
        page.click("report-ok")
    check(wait_for(lambda: not page.js("report.open")), "OK closes the report")
    check(page.js("[document.activeElement.id, Spell2.selectionStart, Spell2.selectionEnd]") == ["Spell2", 0, 3],
          "after the report the box has the focus with its text selected")
    b.type("1")
    b.key("Enter")
    expect_title(page, 42 + 59 - 42, "the box mended")

    # The working under the number, on hover and on focus.
    check(not page.shown("working"), "the working is hidden until asked for")
    b.hover(*page.centre("lblTotal"))
    check(page.shown("working") and page.js("working.textContent").endswith("= 59 improves left"),
          "hovering the number shows its working")
    b.hover(5, 790)
    page.js("lblTotal.focus()")
    if b.can("focus matched"):
        check(page.shown("working"), "focusing the number shows its working")

    # About: over the calculator; Escape, or a click on its texts, hides it;
    # the strip along its right edge does not; "About" shows it again.
    page.click("Command3")
    check(page.js("Form2.open"), "About shows its window")
    b.key("Escape")
    check(not page.js("Form2.open") and page.js("document.activeElement.id") == "Command3",
          "Escape hides About and gives the focus back to \"About\"")
    page.click("Command3")
    page.click("Form2-Label2")
    check(not page.js("Form2.open"), "a click on About's texts hides it")
    page.click("Command3")
    x, y = page.js("(r => [r.right, r.y])(Form2.querySelector('.client').getBoundingClientRect())")
    b.click(x - 2, y + 30)
    check(page.js("Form2.open"), "a click in the strip at About's right edge leaves it shown")

    # The keyboard's way through the window is the layout's tab order.
    wanted = [page.js(f"(document.querySelector('input[name=\"{n}\"]:checked') || {n}).id")
              for n in layout.focus_order() if not page.js(f"!!document.getElementById('{n}')?.disabled")]
    page.js(f"{wanted[0]}.focus()")
    seen = [wanted[0]]
    for _ in wanted[1:]:
        b.key("Tab")
        seen.append(page.js("document.activeElement.id"))
    check(seen == wanted, f"Tab follows the layout's order ({seen} against {wanted})")


def check_accessibility_tree(browser, layout):
    tree = browser.ax_tree()
    value = lambda n, key: (n.get(key) or {}).get("value", "")  # noqa: E731
    missing = []
    for array, (_, group_name, options) in layout.groups.items():
        group = find_ax(tree, "group", group_name)
        if group is None:
            missing.append(f"group {group_name}")
            continue
        missing += [f"{group_name}: radio {o}" for o in options
                    if not find_ax(tree, "radio", o, group["backendDOMNodeId"])]
    missing += [f"textbox {n}" for n in layout.spoken.values() if not find_ax(tree, "textbox", n)]
    missing += [f"button {n}" for n in ("enter", "About", "Exit") if not find_ax(tree, "button", n)]
    missing += [f"combobox {n}" for n in ("School", "Grade") if not find_ax(tree, "combobox", n)]
    check(not missing, f"every control is reached by its role and name ({missing[:5]})")
    number = find_ax(tree, "status", "Improves still needed for the next level: 196")
    check(number is not None and value(number, "description").endswith("199 - 3 = 196 improves left"),
          "the number says what it is, and its description is its working")
    live = [n for n in tree if not n.get("ignored") and value(n, "role") == "status" and any(
        p["name"] == "live" and p["value"]["value"] == "polite" for p in n.get("properties", []))]
    check(len(live) == 1, f"one polite live region carries results and reports ({len(live)})")


def check_axe(page, axe, where):
    page.browser.run(axe)
    violations = page.js(
        "axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}})"
        ".then(r => r.violations.map(v => v.id + ': ' + v.nodes.map(n => n.target.join(' ')).join(', ')))")
    check(violations == [], f"{where}: axe-core finds no violation of WCAG 2.1 A or AA ({violations})")


def check_phone(page):
    b = page.browser
    b.phone(*PHONE)
    small = page.js("[...document.querySelectorAll('#client .option, #client input[type=text], #client button, "
                    "#client select')].map(e => [e.id || e.firstChild.id, e.getBoundingClientRect()])"
                    ".filter(([, r]) => r.width < 24 || r.height < 24).map(([id]) => id)")
    check(not small, f"every target is at least 24 x 24 CSS px for a finger ({small[:5]})")
    check(page.js("[...document.querySelectorAll('[data-box]')].every(b => b.inputMode === 'numeric')"),
          "the number boxes ask for a keyboard with digits")
    check(not re.search(r"user-scalable=no|maximum-scale", page.js(
        "document.querySelector('meta[name=viewport]').content")), "pinch-zoom is allowed")


# ---- a random session against the model, by accessible names ----

NUMBER_TEXTS = ["1", "0", "7", "30", "45", "50", "51", "100", "-1", "-7", "10922", "10923", "32767",
                "-32768", "40000", "", "X", "abc", "1.5"]


def random_events(rng, count, arrays):
    """Events a player might make; typing only into boxes that take input."""
    events, spell_count = [], 3
    while len(events) < count:
        roll = rng.randrange(100)
        if roll < 35:
            column, option = rng.randrange(7), rng.choice([0, 0, 1, 1, 2, 3, 4, 5, 6])
            events.append((f"level {column} {option}", ("choose", arrays[column], option)))
        elif roll < 45:
            spell_count = rng.randint(1, 3)
            events.append((f"spells {spell_count}", ("choose", "spells", spell_count - 1)))
        elif roll < 75:
            box = rng.randrange({1: 2, 2: 3, 3: 4}[spell_count])
            text = rng.choice(NUMBER_TEXTS) if rng.randrange(2) else str(rng.randint(-150, 150))
            events.append((f"type {box} {text}", ("type", box, text)))
        elif roll < 90:
            events.append(("enter", ("enter in", rng.randrange({1: 2, 2: 3, 3: 4}[spell_count]))))
        else:
            events.append(("enter", ("enter button",)))
    return events


def run_replay(replay, lines):
    out = subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "node-run.sh"), replay],
                         input="".join(line + "\n" for line in lines), capture_output=True, text=True, check=True)
    return out.stdout.rstrip("\n").split("\n")


class Finger:
    """Reaches the controls as a screen reader's user or a finger would:
    found by role and accessible name, tapped where they are."""

    def __init__(self, browser, layout):
        self.browser, self.layout = browser, layout
        self.found = {}  # (role, name, group) -> what the engine found
        self.boxes = [layout.spoken[n] for n in ("txtInt", "Spell1", "Spell2", "Spell3")]

    def find(self, role, name, group=None):
        key = (role, name, group)
        if key not in self.found:  # not shown until now, like a report's button, is looked for again
            if role == "group":
                handle = self.browser.group(name)
            else:
                within = self.find("group", group) if group else None
                handle = self.browser.locate(role, name, within)
            if handle is None:
                raise RuntimeError(f"{self.browser.name} finds no {role} named {name!r} (in {group})")
            self.found[key] = handle
        return self.found[key]

    def tap(self, role, name, group=None):
        self.browser.tap(*self.browser.centre(self.find(role, name, group)))

    def choose(self, array, option):
        _, group_name, options = self.layout.groups[array]
        self.tap("radio", options[option], group_name)

    def retype(self, box, text, longest=8):
        self.tap("textbox", self.boxes[box])
        self.browser.key("End")
        for _ in range(longest):
            self.browser.key("Backspace")
        self.browser.insert(text)


def finishing_edits(events):
    """The events as a phone plays them: a box typed into is finished by the
    keypad's "Done" before anything else is done, which counts as Enter in
    it; typing on in it, or Enter in it, needs none."""
    played, edited = [], None
    for event, action in events:
        if edited is not None and not (action[0] in ("type", "enter in") and action[1] == edited):
            played.append(("enter", ("done",)))
        played.append((event, action))
        edited = action[1] if action[0] == "type" else None
    return played


def check_random_session(page, layout, replay, count, seed):
    header, *_ = run_replay(replay, [])
    arrays = header.split()
    events = random_events(random.Random(seed), count, arrays)
    if page.browser.can("focus events"):
        events = finishing_edits(events)
    _, *expected = run_replay(replay, [e[0] for e in events])
    finger = Finger(page.browser, layout)
    played = []
    for (event, action), line in zip(events, expected):
        title, reported = line.split("\t")
        if action[0] == "choose":
            finger.choose(*action[1:])
        elif action[0] == "type":
            finger.retype(*action[1:])
        elif action[0] == "enter in":
            finger.tap("textbox", finger.boxes[action[1]])
            page.browser.key("Enter")
        elif action[0] == "done":
            page.js("document.activeElement.blur()")
        else:
            finger.tap("button", "enter")
        played.append(action[0] if action[0] == "done" else event)
        if not wait_for(lambda: page.title() == title, seconds=10):
            return check(False, f"seed {seed}, event {len(played)} ({event}): title \"{page.title()}\", "
                                f"the model says \"{title}\"; events: {played[-8:]}")
        if reported == "report":
            if not wait_for(lambda: page.js("report.open")):
                return check(False, f"seed {seed}, event {len(played)} ({event}): no report, the model expects one")
            finger.tap("button", "OK")
            wait_for(lambda: not page.js("report.open"))
    return check(True, f"a random session of {count} events as a phone (seed {seed}) follows the model")


def check_as_set(engine, pieces, url, axe):
    """The page in a browser of the player's settings: a dark scheme, at a
    desk and as a phone; a minimum font size of 16 px and a default of 20 px,
    at a desk and as a phone."""
    dark = ENGINES[engine](pieces, *DESK, Prefs(dark=True))
    try:
        page = Page(dark)
        for where, size in (("at a desk", None), ("as a phone", PHONE)):
            if size:
                dark.phone(*size)
            open_page(dark, url)
            check(page.ready(), f"dark, {where}, the core loads")
            check_dark(page, where)
            if not size:
                check_options_told_apart(page, "dark, at a desk")
            check_axe(page, axe, f"dark, {where}")
            screenshot(dark, "dark-" + ("phone" if size else "desk"))
    finally:
        dark.close()
    if not ENGINES[engine].can("font sizes"):
        return
    large = ENGINES[engine](pieces, *DESK, Prefs(minimum_font=16, default_font=20))
    try:
        page = Page(large)
        open_page(large, url)
        check(page.ready(), "with larger text, the core loads")
        check_large_text(page)
        screenshot(large, "large-desk")
        large.phone(*PHONE)
        open_page(large, url)
        check_text_follows(page, 20)
        screenshot(large, "large-phone")
    finally:
        large.close()


def screenshot(browser, where):
    with open(f"web-{browser.name.lower()}-{where}.png", "wb") as f:
        f.write(browser.screenshot())


def main():
    engine, site, facts, replay, axe_path = sys.argv[1:6]
    events = int(sys.argv[6]) if len(sys.argv) > 6 else 40
    seed = int(os.environ.get("IMPROVES_WEB_SEED", "1"))
    with open(axe_path) as f:
        axe = f.read()
    pieces = Pieces()
    opened = []

    def finish():
        for browser in opened:
            browser.close()
        left = pieces.end()
        check(not left, f"nothing the test started is left running (left: {left})")

    def body():
        gzipped = sum(len(subprocess.run(["gzip", "-9c", os.path.join(folder, name)], capture_output=True,
                                         check=True).stdout)
                      for folder, _, names in os.walk(site) for name in names)
        check(gzipped <= SITE_LIMIT, f"the site is at most {SITE_LIMIT} bytes after gzip -9 ({gzipped})")
        layout = Layout(facts)
        global QUESTION
        QUESTION = layout.question
        served = Served(pieces, site)
        url = served.url + "/index.html"
        browser = ENGINES[engine](pieces, *DESK)
        opened.append(browser)
        page = Page(browser)

        if browser.can("scripts off"):
            open_page(browser, url, scripts=False)
            check_before_scripts(page)

        open_page(browser, url)
        check(page.ready(), "the core loads and announces the first result")
        check_places(page, layout)
        check_captions(page, Faces())
        screenshot(browser, "desk")
        if browser.can("accessibility tree"):
            check_accessibility_tree(browser, layout)
        check_axe(page, axe, "at a desk")
        kept = browser.evaluate("navigator.serviceWorker.ready.then(r => caches.keys()).then(k => k.length)")
        check(kept == 1, "a service worker keeps the site")
        if browser.can("installability"):
            check(browser.installability_errors() == [], "Chromium finds the page installable as an app")
        check_desk(page, layout)
        open_page(browser, url)
        check(page.ready(), "the page again, for the School box")
        check_school_box(page, layout.school_list)
        if browser.can("forced colors"):
            browser.forced_colors(True)
            check_options_told_apart(page, "in forced colours")
            browser.forced_colors(False)
        if browser.can("font sizes while open"):
            growth = lambda: page.js("getComputedStyle(document.documentElement).getPropertyValue('--g')").strip()  # noqa: E731
            browser.text_size(20)
            check(wait_for(lambda: growth() == "1.25"), f"a default text size of 20 px set while the page is open "
                                                        f"grows the window by 1.25 ({growth()})")
            browser.text_size(16)
            check(wait_for(lambda: growth() == "1"), f"and set back, the window is its own size again ({growth()})")
        page.click("Command2")
        check(not page.shown("Form1") and "Reload the page" in page.js("ended.textContent"),
              "Exit ends the calculator and the page says how to start it again")

        browser.can("touch")
        browser.phone(*PHONE)
        browser.can("phone-wide window")
        open_page(browser, url)
        check(page.ready(), "as a phone the core loads too")
        check_phone_layout(page, layout.reading_order)
        check_phone(page)
        check_axe(page, axe, "as a phone")
        screenshot(browser, "phone")
        check_number_in_view(page, (PHONE[0], 320))
        check_states_whole(page, lambda: open_page(browser, url) and page.ready())
        browser.phone(*PHONE)
        open_page(browser, url)
        check(page.ready(), "as a phone, the page again")
        check_school_box(page, layout.school_list, phone=True)
        open_page(browser, url)
        check(page.ready(), "as a phone, the page again")
        check_random_session(page, layout, replay, events, seed)
        check_as_set(engine, pieces, url, axe)

        served.stop()
        browser.desk(*DESK)
        open_page(browser, url)
        check(page.ready() and page.title() == f"196 {QUESTION}", "with the network gone the page loads again")
        page.click("Faren_3")
        expect_title(page, 224, "offline, a click")

        check_update(browser, open_page, Served(pieces, site, keep=600), site,
                     tempfile.mkdtemp(prefix="versions-", dir=pieces.runtime))

    return run_checks(body, finish, DEADLINE_SECONDS, __file__)


if __name__ == "__main__":
    sys.exit(main())
