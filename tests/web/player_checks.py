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


def check_school_box(page, schools, phone=False):
    """The School box looks like a drop-down at rest and opens its list of
    the seven schools as one: at a desk by Alt+Down, F4 and the pointer,
    on a phone by a finger on its arrow; a school picked from the list, or
    typed, is the box's text, which counts."""
    b = page.browser
    where = "on a phone" if phone else "at a desk"
    check(arrow_drawn(page), f"{where} the School box shows its arrow at rest")
    arrow = page.js("!!document.getElementById('Combo2-open')")
    if phone:
        if arrow:
            tap_on(page, "Combo2-open")
        return check(listed(page) == schools, f"on a phone a finger on the arrow opens the list ({listed(page)})")
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
    opened["pointer"] = listed(page) == schools
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
          f"at a desk Alt+Down, F4 and a click on the arrow open the list of schools ({opened}); a click on the "
          f"third picks it ({picked!r}) and closes the list ({closed}); what is picked or typed counts "
          f"({picked_counts}, {typed_counts})")
