"""Checks of the page that hold in every engine, beside web_test.py's: each
caption as wide as its face says, the number in view on a phone, and a new
version replacing an old one whole."""

import os
import shutil
import time

from fontTools.ttLib import TTFont

from pieces import check, wait_for

FACES = "/usr/share/fonts/truetype/liberation"


class Faces:
    """The advance widths of the layout's faces, from the faces' own tables."""

    def __init__(self):
        self.faces = {}

    def advances(self, family, weight, style):
        name = family.replace(" ", "") + "-" + {("400", "normal"): "Regular", ("700", "normal"): "Bold",
                                                ("700", "italic"): "BoldItalic"}[(weight, style)]
        if name not in self.faces:
            font = TTFont(os.path.join(FACES, name + ".ttf"))
            self.faces[name] = (font.getBestCmap(), font["hmtx"], font["head"].unitsPerEm)
        return self.faces[name]

    def widths(self, text, face, size):
        """The caption's width in CSS px by its face's advances, and with
        each advance rounded up to a whole pixel, as an engine that fits
        glyphs to the pixel grid may lay them out."""
        cmap, metrics, units = self.advances(*face)
        advances = [metrics[cmap[ord(c)]][0] * size / units for c in text]
        return sum(advances), sum(-(-a // 1) for a in advances)


CAPTIONS = """[...document.querySelectorAll('#client legend, #client .option, #client button, #client .label')]
  .flatMap(e => [...e.childNodes].filter(n => n.nodeType === 3 && n.textContent.trim()).map(n => {
    const range = document.createRange(), style = getComputedStyle(e);
    range.selectNodeContents(n);
    const squeeze = style.transform === 'none' ? 1 : new DOMMatrix(style.transform).a;
    return [n.textContent, range.getBoundingClientRect().width / squeeze,
            style.fontFamily.split(',')[0].replaceAll('"', '').trim(), style.fontWeight, style.fontStyle,
            parseFloat(style.fontSize)];
  }))"""


def check_captions(page, faces, slack=0.03):
    """Every caption of the window, as laid out at a desk, between its face's
    advances and those advances rounded up to whole pixels, give or take
    `slack` (kerning) and half a pixel (an engine that fits a glyph to the
    pixel grid may round its advance down): letters that run together lay
    out narrower."""
    off = []
    captions = page.js(CAPTIONS)
    for text, width, *face, size in captions:
        exact, gridded = faces.widths(text, face, size)
        if not exact * (1 - slack) - 0.5 <= width <= gridded * (1 + slack):
            off.append(f"{text!r} {width:.1f} px, its face {exact:.1f} ({width / exact:.0%})")
    check(captions and not off, f"{page.browser.name} lays out the {len(captions)} captions as wide as their "
                                f"faces ({len(off)} are not: {off[:4]})")


def on_screen(page, element):
    """Whether the element's centre is in the viewport with nothing over it."""
    return page.js(f"(e => {{ const r = e.getBoundingClientRect(), x = r.x + r.width / 2, y = r.y + r.height / 2;"
                   f" return y > 0 && y < innerHeight && e.contains(document.elementFromPoint(x, y)); }})({element})")


def check_number_in_view(page, widths, every=4):
    """As a phone, the options from the page's top to its bottom, each
    scrolled to the middle of the screen and tapped: the caption line with
    the new number is on screen, and nothing covers the option tapped; a
    box focused from the other end of the page is clear of it too."""
    b = page.browser
    for width in widths:
        b.phone(width, 740)
        b.settle()
        options = page.js("[...document.querySelectorAll('#client input[type=radio]')].map(e => e.id)")
        tried = options[::every] + options[-1:]
        hidden, covered = [], []
        for name in tried:
            label = f"document.getElementById('{name}').parentElement"
            x, y = page.js(f"(e => {{ e.scrollIntoView({{block: 'center'}}); const r = e.getBoundingClientRect();"
                           f" return [r.x + r.width / 2, r.y + r.height / 2]; }})({label})")
            if not on_screen(page, label):
                covered.append(name)
            b.tap(x, y)
            shown = wait_for(lambda: on_screen(page, "caption") and page.js(
                "caption.textContent.startsWith(lblTotal.value + ' ') && caption.textContent === document.title"),
                seconds=3)
            if not shown:
                hidden.append(name)
        check(not hidden and not covered, f"at {width} CSS px, {len(tried)} options tapped from top to bottom: "
                                          f"the number is on screen after each (not: {hidden[:4]}) and nothing "
                                          f"covers the option (covered: {covered[:4]})")
        page.js("scrollTo(0, document.documentElement.scrollHeight)")
        page.js("txtInt.focus()")
        b.settle()  # WebKit scrolls what takes the focus into view at its next frame
        check(on_screen(page, "txtInt"), f"at {width} CSS px, a box focused from the page's far end is in view "
                                         f"and clear of the caption line")
        page.js("scrollTo(0, 0)")


# ---- a new version over an old one ----

def marked(site, folder, mark, later):
    """The site copied, every file changed by `mark` in a way it keeps (a
    statement recording it in scripts, a comment, a custom section in the
    WebAssembly, bytes after a picture's end), the worker's cache named
    anew, the files' times `later` seconds on."""
    shutil.copytree(site, folder)
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            data = f.read()
        if name.endswith((".html", ".js")):  # another build's script and core are asked for by another name
            data = data.replace(b"?build=", f"?build={mark}-".encode())
        if name == "sw.js":
            data = data.replace(b'const cache = prefix + "', f'const cache = prefix + "{mark}-'.encode())
        if name.endswith(".js"):  # on the page, where a test's scripts may run in a world of their own
            data += f"\nglobalThis.document?.documentElement.setAttribute('data-ran-{name[:-3]}', '{mark}');\n".encode()
        elif name.endswith((".html", ".svg")):
            data += f"<!-- {mark} -->\n".encode()
        elif name.endswith(".wasm"):
            payload = b"\x06marker" + mark.encode()
            data += b"\x00" + bytes([len(payload)]) + payload
        elif name.endswith(".json"):
            data = data.replace(b"{", f'{{"marker": "{mark}",'.encode(), 1)
        else:
            data += f"\n{mark}\n".encode()
        with open(path, "wb") as f:
            f.write(data)
        stamp = time.time() + later
        os.utime(path, (stamp, stamp))
    return folder


# The worker's caches begin with OURS; THEIRS is a cache of another site
# that the host serves from the same origin.
OURS, THEIRS = "improves-calc-", "another-site"

# Whether the worker has settled on the version `mark` names, by its own
# state: activated with no other on the way, and its cache the only one of
# ours. Only the caches' names: opening a cache that an activating worker is
# deleting makes it again, empty and for good.
SETTLED = """(async mark => {
  const registration = await navigator.serviceWorker.getRegistration();
  if (registration?.active?.state !== 'activated' || registration.installing || registration.waiting)
    return false;
  const ours = (await caches.keys()).filter(n => n.startsWith('%s'));
  return ours.length === 1 && ours[0].includes(mark);
})""" % OURS

# What the page in front of the player came from: the page, the scripts that
# ran, the core it is served, the caches of the origin and each file of ours
# that is not the version's; and the workers' states, which say how far a
# worker that did not settle came.
WHAT_CAME = """(async mark => {
  const registration = await navigator.serviceWorker.getRegistration();
  const has = (bytes) => new TextDecoder('latin1').decode(bytes).includes(mark);
  const names = await caches.keys(), old = [];
  for (const name of names.filter(n => n.startsWith('%(ours)s'))) {
    const cache = await caches.open(name);
    for (const request of await cache.keys())
      if (!has(await (await cache.match(request)).arrayBuffer()))
        old.push(request.url.split('/').pop());
  }
  return {page: [...document.childNodes].some(n => n.nodeType === 8 && n.data.includes(mark)),
          scripts: [...document.documentElement.attributes].filter(a => a.name.startsWith('data-ran-') &&
                                                                    a.value === mark).map(a => a.name.slice(9)).sort(),
          core: has(await (await fetch('improves-core.wasm')).arrayBuffer()),
          caches: names.map(n => n.startsWith('%(ours)s') ? n.includes(mark) : n), old,
          theirs: await caches.match('/theirs', {cacheName: '%(theirs)s'}).then(r => r?.text()) ?? null,
          workers: ['installing', 'waiting', 'active'].map(w => registration?.[w]?.state ?? null)};
})""" % {"ours": OURS, "theirs": THEIRS}


def check_update(browser, open_page, served, site, folder):
    """Two versions that differ in every file, served as a forge serves a
    site (each file kept ten minutes), on an origin where another site keeps
    a cache: a player's next visit after the one that finds the second
    version opens it whole, and the other site's cache is still there."""
    old = marked(site, os.path.join(folder, "old"), "version-A", 0)
    new = marked(site, os.path.join(folder, "new"), "version-B", 60)
    served.serve(old)
    url = served.url + "/index.html"
    settled = lambda mark: browser.evaluate(f"{SETTLED}('{mark}')")  # noqa: E731
    open_page(browser, url)
    check(wait_for(lambda: settled("version-A"), seconds=20), f"{browser.name}: the first version's worker keeps it")
    browser.evaluate(f"caches.open('{THEIRS}').then(c => c.put('/theirs', new Response('theirs'))).then(() => true)")
    served.serve(new)
    open_page(browser, url)
    # The player comes back once the worker says it has settled (if it never
    # does, the check below says how far it came), with room for a loaded
    # machine.
    wait_for(lambda: settled("version-B"), seconds=60, step=0.2)
    open_page(browser, url)
    now = wait_for(lambda: browser.evaluate("document.readyState") == "complete" and browser.evaluate(
        f"{WHAT_CAME}('version-B')"))
    scripts = sorted(name[:-3] for name in os.listdir(site) if name.endswith(".js") and name != "sw.js")
    whole = {"page": True, "scripts": scripts, "core": True, "caches": sorted([True, THEIRS], key=str), "old": [],
             "theirs": "theirs", "workers": [None, None, "activated"]}
    came = {k: sorted(now[k], key=str) if k == "caches" else now[k] for k in whole} if now else None
    check(came == whole,
          f"{browser.name}: at the next visit after the one that found a new version, the page, its scripts, the "
          f"core and every file the worker keeps are the new version's, and another site's cache is kept ({now})")
