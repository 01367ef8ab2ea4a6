"""Checks of the page as players hold it, the same in every engine: on a
phone in the window's reading order, with fields a phone does not zoom
into, whole on screen in every state; dark where the player's system is;
readable with a minimum font size; the School box a drop-down."""

import io

from PIL import Image

from pieces import check, wait_for

PHONES = (390, 360, 320)
FINGER = 48  # CSS px: what lies within a finger's width is next to it

RECT = "(e => e && (r => ({left: r.left, top: r.top, right: r.right, bottom: r.bottom}))(e.getBoundingClientRect()))"


def rect(page, element_id):
    return page.js(f"{RECT}(document.getElementById('{element_id}'))")


def reads_before(a, b):
    """Whether b comes after a as a page is read: on a later row, or to the
    right on the same one."""
    return b["top"] >= a["bottom"] - 1 or (b["top"] < a["bottom"] and b["left"] >= a["right"] - 1)


def check_phone_layout(page, reading):
    """At each phone width: nothing scrolls sideways or is cut off; the
    controls lie in `reading`, the layout's reading order, each school's
    options a column, and the page's own order (a screen reader's) is the
    same; every field and button has text of 16 CSS px or more, is 44 px
    tall or more, and shows its text whole."""
    b = page.browser
    for width in PHONES:
        b.phone(width, 740)
        b.settle()
        scrolls = page.js("document.documentElement.scrollWidth")
        off = page.js(f"[...document.querySelectorAll('#client *')].filter(e => e.getClientRects().length && "
                      f"(e.getBoundingClientRect().left < 0 || e.getBoundingClientRect().right > {width}))"
                      ".map(e => e.id || e.tagName)")
        check(scrolls <= width and not off, f"at {width} CSS px nothing scrolls sideways ({scrolls} wide) or is "
                                            f"cut off ({off[:5]})")
        rects = [rect(page, name) for name in reading]
        out = [f"{reading[i + 1]} before {reading[i]}" for i in range(len(reading) - 1)
               if not (rects[i] and rects[i + 1] and reads_before(rects[i], rects[i + 1]))]
        columns = page.js("[...document.querySelectorAll('#client fieldset')].every(f => [...f.querySelectorAll("
                          "'.option')].map(o => o.getBoundingClientRect()).every((r, i, all) => !i || "
                          "(r.top >= all[i - 1].bottom - 1 && r.left === all[0].left)))")
        check(not out and columns, f"at {width} CSS px the page reads as the window: Intellect, the schools row by "
                                   f"row, spells, School, percents, the number, then the grade, About and Exit "
                                   f"(out of order: {out[:4]}); each school's options a column ({columns})")
        fields = page.js(FIELDS)
        small = [f"{name} {size:g}px" for name, size, _, _ in fields if size < 16]
        low = [f"{name} {height:g}px" for name, _, height, _ in fields if height < 44]
        cut = [name for name, _, _, overflows in fields if overflows] + page.js(
            "[...document.querySelectorAll('#client .label, #client legend, #client .option')]"
            ".filter(e => e.scrollWidth > e.clientWidth + 1).map(e => e.id || e.textContent)")
        check(fields and not small and not low and not cut,
              f"at {width} CSS px every box, list and button has text of 16 px or more ({small[:4]}), is 44 px "
              f"tall or more ({low[:4]}), and no text is cut ({cut[:4]})")
    in_page_order = page.js(f"{reading}.map(id => document.getElementById(id)).every((e, i, all) => !i || "
                            "!!(all[i - 1].compareDocumentPosition(e) & Node.DOCUMENT_POSITION_FOLLOWING))")
    check(in_page_order, "a screen reader meets the controls in the same order")


FIELDS = """[...document.querySelectorAll('#client input[type=text], #client select, #client button, #Form2 button')]
  .filter(e => e.getClientRects().length).map(e => [e.id, parseFloat(getComputedStyle(e).fontSize),
    e.getBoundingClientRect().height, e.scrollWidth > e.clientWidth + 1])"""


def whole(r, width, height):
    return r is not None and r["left"] >= -0.5 and r["top"] >= -0.5 and r["right"] <= width + 0.5 and \
        r["bottom"] <= height + 0.5


def tap_on(page, element_id):
    x, y = page.js(f"(e => {{ e.scrollIntoView({{block: 'center'}}); const r = e.getBoundingClientRect();"
                   f" return [r.x + r.width / 2, r.y + r.height / 2]; }})(document.getElementById('{element_id}'))")
    page.browser.tap(x, y)


def check_states_whole(page, reopen):
    """At each phone width, as opened, with the working shown, with a report
    open and with About open: nothing scrolls sideways; the working opens
    next to the number, whole on screen; the report and About are whole on
    screen with their OK and close."""
    b = page.browser
    for width in PHONES:
        b.phone(width, 740)
        reopen()
        sideways = lambda: page.js("document.documentElement.scrollWidth") > width  # noqa: E731
        height = page.js("innerHeight")
        flat = {"as opened": not sideways()}

        tap_on(page, "lblTotal")
        shown = wait_for(lambda: page.js("getComputedStyle(working).display !== 'none'"), seconds=3)
        number, working = rect(page, "lblTotal"), rect(page, "working")
        gap = working and max(working["top"] - number["bottom"], number["top"] - working["bottom"], 0)
        near = shown and whole(working, width, height) and gap <= FINGER
        flat["working"] = not sideways()

        page.js("(Spell1.focus(), Spell1.select())")
        b.insert("abc")
        b.key("Enter")
        reported = wait_for(lambda: page.js("report.open"), seconds=5)
        report_whole = reported and whole(rect(page, "report"), width, height) and whole(
            rect(page, "report-ok"), width, height)
        flat["report"] = not sideways()
        if reported:
            page.click("report-ok")
            wait_for(lambda: not page.js("report.open"))

        tap_on(page, "Command3")
        opened = wait_for(lambda: page.js("Form2.open"), seconds=3)
        about_whole = opened and whole(rect(page, "Form2"), width, height) and whole(
            rect(page, "Form2-close"), width, height)
        flat["About"] = not sideways()
        check(near and report_whole and about_whole and all(flat.values()),
              f"at {width} CSS px the working opens {gap} px from the number and whole on screen ({near}); the "
              f"report ({report_whole}) and About ({about_whole}) are whole on screen; no sideways scroll in "
              f"any state ({flat})")


def luminance(png):
    image = Image.open(io.BytesIO(png)).convert("L")
    return sum(i * n for i, n in enumerate(image.histogram())) / (255 * image.width * image.height)


def check_dark(page, where):
    """With the player's scheme dark: the page is dark, and says that it
    draws both schemes (so that the browser's own controls follow)."""
    # A browser may show its own white before the page's first frame.
    page.browser.settle()
    mean = wait_for(lambda: (lambda m: m if m < 0.3 else None)(luminance(page.browser.screenshot())), seconds=3) \
        or luminance(page.browser.screenshot())
    scheme = page.js("getComputedStyle(document.documentElement).colorScheme")
    check(mean < 0.3 and "dark" in scheme, f"{where}, with a dark scheme the page is dark (mean luminance "
                                           f"{mean:.2f}) and declares its schemes ({scheme!r})")
    return mean


# Each caption's text as laid out, whether it reaches past its control's
# box, and the boxes of the fields, which a caption must not run into.
TEXTS = """[...document.querySelectorAll('#client legend, #client .option, #client button, #client .label')]
  .flatMap(e => [...e.childNodes].filter(n => n.nodeType === 3 && n.textContent.trim()).map(n => {
    const range = document.createRange(), box = e.getBoundingClientRect();
    range.selectNodeContents(n);
    const r = range.getBoundingClientRect();
    return {owner: e, text: n.textContent.trim(), r, cut: r.left < box.left - 1 || r.right > box.right + 1};
  })).concat([...document.querySelectorAll('#client input[type=text], #client select')]
    .map(e => ({owner: e, text: e.id, r: e.getBoundingClientRect(), cut: false})))
  .map((t, i, all) => [t.text, t.cut, all.filter((o, j) => j > i && o.owner !== t.owner &&
    Math.min(t.r.right, o.r.right) - Math.max(t.r.left, o.r.left) > 0.5 &&
    Math.min(t.r.bottom, o.r.bottom) - Math.max(t.r.top, o.r.top) > 0.5).map(o => o.text)])"""


def check_large_text(page):
    """With larger text at a desk: no text runs into another's or a field,
    none is cut, nothing scrolls sideways. (The page measures the reader's
    text as it is first drawn: a frame is waited for.)"""
    page.browser.settle()
    runs = page.js(TEXTS)
    crossing = [f"{text!r} into {others}" for text, _, others in runs if others]
    cut = [text for text, cut, _ in runs if cut]
    sideways = page.js("document.documentElement.scrollWidth > innerWidth")
    check(runs and not crossing and not cut and not sideways,
          f"with larger text at a desk, of {len(runs)} texts none runs into another ({len(crossing)}: "
          f"{crossing[:3]}), none is cut ({cut[:3]}), nothing scrolls sideways")


def check_text_follows(page, size):
    """As a phone, with the browser's default text size at `size` px: the
    page's text is that large, a box's too."""
    sizes = page.js("['body', '#Frame1 legend', '#txtInt', '#Command2'].map(s => "
                    "parseFloat(getComputedStyle(document.querySelector(s)).fontSize))")
    check(all(s >= size for s in sizes), f"as a phone, a default text size of {size} px makes the page's text as "
                                         f"large (the text, a caption, a box, a button: {sizes})")


def arrow_drawn(page):
    """Whether the School box shows an arrow at rest: the end of the box
    holds pixels that stand out from the box's face."""
    b = page.browser
    b.hover(1, 1)
    page.js("Combo2.scrollIntoView({block: 'center'})")
    box = rect(page, "Combo2")
    image = Image.open(io.BytesIO(b.screenshot())).convert("L")
    scale = image.width / page.js("innerWidth")
    side = box["bottom"] - box["top"]
    end = image.crop((round((box["right"] - side) * scale), round((box["top"] + 3) * scale),
                      round((box["right"] - 3) * scale), round((box["bottom"] - 3) * scale)))
    face = end.getpixel((end.width // 4, 1)) if end.width else 0
    return sum(n for level, n in enumerate(end.histogram()) if abs(level - face) > 80)


def listed(page):
    """The schools the School box's list shows, if it shows one."""
    return page.js("(l => l && l.getClientRects().length ? [...l.querySelectorAll('[role=option]')]"
                   ".map(o => o.textContent) : null)(document.getElementById(Combo2.getAttribute('aria-controls')))")


# The School box's state as a screen reader has it: whether its list is
# open, the option with the visual focus (the active descendant) and the
# options marked selected, the field's text, and where the focus is.
SCHOOL_STATE = """[Combo2.getAttribute('aria-expanded'), Combo2.getAttribute('aria-activedescendant'),
  [...document.querySelectorAll('#Combo2-list [aria-selected=true]')].map(o => o.id), Combo2.value,
  document.activeElement.id]"""

# Keys pressed in the School box at a desk, from the field with the focus,
# its list closed and its text "Q", and the state each leaves: the list
# open, the option with the visual focus (by its place in the list), the
# text (0: the first school's); the focus stays in the field.
SCHOOL_KEYS = (
    ("Alt+Down opens without moving the visual focus", [("ArrowDown", 1)], "true", None, "Q"),
    ("Alt+Up closes", [("ArrowUp", 1)], "false", None, "Q"),
    ("Up on a closed list starts at the last school", [("ArrowUp", 0)], "true", -1, "Q"),
    ("Escape closes", [("Escape", 0)], "false", None, "Q"),
    ("Down on a closed list starts at the first school", [("ArrowDown", 0)], "true", 0, "Q"),
    ("typing puts the visual focus back in the field", [("x", 0)], "true", None, "Qx"),
    ("Enter then keeps what was typed", [("Enter", 0)], "false", None, "Qx"),
    ("End, after Down, puts the visual focus back in the field", [("ArrowDown", 0), ("End", 0)], "true", None,
     "Qx"),
    ("F4 closes", [("F4", 0)], "false", None, "Qx"),
    ("F4 opens without moving the visual focus", [("F4", 0)], "true", None, "Qx"),
    ("Down then Enter picks the first school", [("ArrowDown", 0), ("Enter", 0)], "false", None, 0),
)


def check_school_keys(page, schools):
    """The School box's keys at a desk, by the editable combo box pattern."""
    b = page.browser
    page.js("(Combo2.focus(), Combo2.value = 'Q')")
    off = []
    for what, keys, expanded, active, text in SCHOOL_KEYS:
        for key, modifiers in keys:
            b.key(key, modifiers)
        state = page.js(SCHOOL_STATE)
        option = None if active is None else f"Combo2-list-{range(len(schools))[active]}"
        want = [expanded, option, [option] if option else [], schools[text] if text == 0 else text, "Combo2"]
        if state != want:
            off.append(f"{what}: {state}, not {want}")
    check(not off, f"at a desk the School box's keys follow the pattern, typed text kept through Enter "
                   f"({off[:3]})")


# The looks of the chosen school and of a hovered one, which must differ.
LOOKS = """[...document.querySelectorAll('#Combo2-list [role=option]')].slice(0, 3).map(o => (s =>
  [s.backgroundColor, s.color, s.outlineStyle])(getComputedStyle(o)))"""


def check_options_told_apart(page, where):
    """With the list open, the chosen school (the first), a hovered one (the
    third) and one neither (the second) each look their own."""
    b = page.browser
    page.js("(Combo2.focus(), Combo2.value = '')")
    b.key("ArrowDown")
    b.hover(*page.centre("Combo2-list-2"))
    chosen, neither, hovered = page.js(LOOKS)
    b.key("Escape")
    check(len({tuple(chosen), tuple(neither), tuple(hovered)}) == 3,
          f"{where}, the chosen school and a hovered one are told apart (chosen {chosen}, hovered {hovered}, "
          f"neither {neither})")


def check_school_box(page, schools, phone=False):
    """The School box looks like a drop-down at rest and opens its list of
    the seven schools as one: at a desk by Alt+Down, F4 and the pointer,
    on a phone by a finger on its arrow, for a control with the focus, and
    a tap elsewhere closes it; a school picked from the list, or typed, is
    the box's text, which counts."""
    b = page.browser
    where = "on a phone" if phone else "at a desk"
    check(arrow_drawn(page), f"{where} the School box shows its arrow at rest")
    arrow = page.js("!!document.getElementById('Combo2-open')")
    if phone:
        if arrow:
            tap_on(page, "Combo2-open")
        opened, owned = listed(page), page.js("Combo2.parentElement.contains(document.activeElement)")
        tap_on(page, "Label2")
        return check(opened == schools and owned and listed(page) is None,
                     f"on a phone a finger on the arrow opens the list ({opened}) for a control with the focus "
                     f"({owned}), and a tap elsewhere closes it ({listed(page)})")
    page.click("Kraanan_1")
    before = int(page.title().split()[0])
    page.click("Combo2")
    opened = {}
    for key, modifiers in (("ArrowDown", 1), ("F4", 0)):
        b.key(key, modifiers)
        opened[key] = listed(page) == schools
        b.key("Escape")
    if arrow:
        page.click("Combo2-open")
    opened["pointer"] = listed(page) == schools and page.js("document.activeElement.id") == "Combo2"
    if opened["pointer"]:
        page.click("Combo2-list-2")
    picked, closed = page.js("Combo2.value"), listed(page) is None
    counts = lambda number: wait_for(lambda: page.title().startswith(f"{number} "), seconds=5)  # noqa: E731
    page.click("Command1")
    picked_counts = counts(before + 7)
    page.click("Combo2")
    b.key("a", modifiers=2)
    b.type("faren")  # no school's name: the case differs
    page.click("Command1")
    typed_counts = counts(before)
    check(all(opened.values()) and picked == "Faren" and closed and picked_counts and typed_counts,
          f"at a desk Alt+Down, F4 and a click on the arrow open the list of schools, the click giving the field "
          f"the focus ({opened}); a click on the third picks it ({picked!r}) and closes the list ({closed}); what "
          f"is picked or typed counts ({picked_counts}, {typed_counts})")
    check_school_keys(page, schools)
    check_options_told_apart(page, "at a desk")
