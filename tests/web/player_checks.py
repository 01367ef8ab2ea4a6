"""Checks of the page as players hold it, the same in every engine: on a
phone in the window's reading order, with fields a phone does not zoom
into, whole on screen in every state; dark where the player's system is;
readable with a minimum font size; the School box a drop-down."""

import io

from PIL import Image

from pieces import check, wait_for

# What a player meets, top to bottom, where the page flows for fingers: the
# window read row by row, Intellect first and Exit last.
READING = ["txtInt", "Frame1", "Frame2", "Frame3", "Frame9", "Frame5", "Frame4", "Frame6", "Frame7", "Combo2",
           "Frame8", "lblTotal", "Label1", "Combo1", "Command3", "Command2"]
PHONES = (390, 360, 320)
FINGER = 48  # CSS px: what lies within a finger's width is next to it
SCHOOLS = ["Kraanan", "Shal'ille", "Faren", "Weapon Class", "Riija", "Qor", "Jala"]

RECT = "(e => e && (r => ({left: r.left, top: r.top, right: r.right, bottom: r.bottom}))(e.getBoundingClientRect()))"


def rect(page, element_id):
    return page.js(f"{RECT}(document.getElementById('{element_id}'))")


def reads_before(a, b):
    """Whether b comes after a as a page is read: on a later row, or to the
    right on the same one."""
    return b["top"] >= a["bottom"] - 1 or (b["top"] < a["bottom"] and b["left"] >= a["right"] - 1)


def check_reading_order(page):
    """At each phone width the controls lie in the reading order, each
    school's options a column, and the page's own order (a screen
    reader's) is the same."""
    b = page.browser
    for width in PHONES:
        b.phone(width, 740)
        b.settle()
        rects = [rect(page, name) for name in READING]
        out = [f"{READING[i + 1]} before {READING[i]}" for i in range(len(READING) - 1)
               if not (rects[i] and rects[i + 1] and reads_before(rects[i], rects[i + 1]))]
        columns = page.js("[...document.querySelectorAll('#client fieldset')].filter(f => f.querySelector('[type=radio]'))"
                          ".every(f => [...f.querySelectorAll('.option')].map(o => o.getBoundingClientRect())"
                          ".every((r, i, all) => !i || (r.top >= all[i - 1].bottom - 1 && r.left === all[0].left)))")
        check(not out and columns, f"at {width} CSS px the page reads as the window: Intellect, the schools row by "
                                   f"row, spells, School, percents, the number, then the grade, About and Exit "
                                   f"(out of order: {out[:4]}); each school's options a column ({columns})")
    in_page_order = page.js(f"{READING}.map(id => document.getElementById(id)).every((e, i, all) => !i || "
                            "!!(all[i - 1].compareDocumentPosition(e) & Node.DOCUMENT_POSITION_FOLLOWING))")
    check(in_page_order, "a screen reader meets the controls in the same order")


FIELDS = """[...document.querySelectorAll('#client input[type=text], #client select, #client button, #Form2 button')]
  .filter(e => e.getClientRects().length && getComputedStyle(e).visibility !== 'hidden').map(e => {
    const r = e.getBoundingClientRect(), style = getComputedStyle(e);
    return [e.id, parseFloat(style.fontSize), r.height, e.scrollWidth > e.clientWidth + 1];
  })"""


def check_field_sizes(page):
    """Every field and button on a phone: text at 16 CSS px or more, 44 px
    tall at the least, its text not cut."""
    b = page.browser
    for width in PHONES:
        b.phone(width, 740)
        b.settle()
        fields = page.js(FIELDS)
        small = [f"{name} {size:g}px" for name, size, _, _ in fields if size < 16]
        low = [f"{name} {height:g}px" for name, _, height, _ in fields if height < 44]
        cut = [name for name, _, _, overflows in fields if overflows] + page.js(
            "[...document.querySelectorAll('#client .label, #client legend, #client .option')]"
            ".filter(e => e.scrollWidth > e.clientWidth + 1).map(e => e.id || e.textContent)")
        check(fields and not small and not low and not cut,
              f"at {width} CSS px every box, list and button has text of 16 px or more ({small[:4]}), is 44 px "
              f"tall or more ({low[:4]}), and no text is cut ({cut[:4]})")


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


TEXTS = """(() => {
  const runs = [];
  const probe = (e, text) => {
    const s = document.createElement('span'), style = getComputedStyle(e);
    for (const p of ['fontFamily', 'fontSize', 'fontWeight', 'fontStyle', 'fontStretch'])
      s.style[p] = style[p];
    s.style.cssText += ';position:absolute;white-space:pre;visibility:hidden';
    s.textContent = text;
    document.body.append(s);
    const w = s.getBoundingClientRect().width;
    s.remove();
    return w;
  };
  for (const e of document.querySelectorAll('#client legend, #client .option, #client button, #client .label')) {
    const box = e.getBoundingClientRect();
    for (const n of e.childNodes) {
      if (n.nodeType !== 3 || !n.textContent.trim()) continue;
      const range = document.createRange();
      range.selectNodeContents(n);
      const r = range.getBoundingClientRect();
      runs.push({owner: e.id || e.textContent.trim(), text: n.textContent.trim(), left: r.left, top: r.top,
                 right: r.right, bottom: r.bottom, cut: r.left < box.left - 1 || r.right > box.right + 1});
    }
  }
  for (const e of document.querySelectorAll('#client input[type=text], #client select')) {
    const r = e.getBoundingClientRect(), style = getComputedStyle(e);
    const text = e.value || e.placeholder || (e.selectedOptions?.[0]?.textContent ?? '');
    const room = e.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    runs.push({owner: e.id, text, left: r.left, top: r.top, right: r.right, bottom: r.bottom,
               cut: !!text && probe(e, text) > room + 1});
  }
  return runs;
})()"""


def check_large_text(page):
    """With larger text at a desk: no text runs into another's or a box's,
    none is cut, nothing scrolls sideways."""
    runs = page.js(TEXTS)
    crossing = [f"{a['text']!r} into {b['text']!r}" for i, a in enumerate(runs) for b in runs[i + 1:]
                if a["owner"] != b["owner"] and min(a["right"], b["right"]) - max(a["left"], b["left"]) > 0.5
                and min(a["bottom"], b["bottom"]) - max(a["top"], b["top"]) > 0.5]
    cut = [r["text"] for r in runs if r["cut"]]
    sideways = page.js("document.documentElement.scrollWidth > innerWidth")
    check(runs and not crossing and not cut and not sideways,
          f"with larger text at a desk, of {len(runs)} texts none runs into another "
          f"({len(crossing)}: {crossing[:3]}), none is cut ({cut[:3]}), nothing scrolls sideways")


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


def check_school_box(page, phone=False):
    """The School box looks like a drop-down at rest and opens its list of
    the seven schools as one: at a desk by Alt+Down, F4 and the pointer,
    on a phone by a finger on its arrow; a school picked from the list, or
    typed, counts."""
    b = page.browser
    where = "on a phone" if phone else "at a desk"
    check(arrow_drawn(page), f"{where} the School box shows its arrow at rest")
    arrow = page.js("!!document.getElementById('Combo2-open')")
    if phone:
        if arrow:
            tap_on(page, "Combo2-open")
        check(listed(page) == SCHOOLS, f"on a phone a finger on the arrow opens the list of schools ({listed(page)})")
        return
    page.click("Kraanan_1")
    before = int(page.title().split()[0])
    page.click("Combo2")
    opened = {}
    for key, modifiers in (("ArrowDown", 1), ("F4", 0)):
        b.key(key, modifiers)
        opened[key] = listed(page) == SCHOOLS
        b.key("Escape")
    b.key("ArrowDown", 1)
    b.key("ArrowDown")
    b.key("ArrowDown")
    b.key("Enter")
    picked = page.js("Combo2.value")
    closed = listed(page) is None
    check(all(opened.values()) and picked == "Faren" and closed,
          f"at a desk Alt+Down and F4 open the list of schools ({opened}); Down and Enter pick the third, "
          f"\"Faren\" ({picked!r}), and close it ({closed})")
    page.click("Command1")
    picked_counts = wait_for(lambda: page.title().startswith(f"{before + 7} "), seconds=5)
    page.js("Combo2.value = ''")
    if arrow:
        page.click("Combo2-open")
    shown = listed(page)
    if shown:
        page.click(f"Combo2-list-{SCHOOLS.index('Qor')}")
    clicked = page.js("Combo2.value")
    page.click("Combo2")
    b.key("a", modifiers=2)
    b.type("Faren")
    page.click("Command1")
    typed_counts = wait_for(lambda: page.title().startswith(f"{before + 7} "), seconds=5)
    check(shown == SCHOOLS and clicked == "Qor" and picked_counts and typed_counts,
          f"at a desk a click on the arrow opens the list ({shown}) and a click on a school picks it ({clicked!r}); "
          f"a school picked or typed counts at the next recalculation ({picked_counts}, {typed_counts})")
