#!/usr/bin/python3
"""How soon the calculator's web page is there, in headless Chromium on
127.0.0.1: from navigation to the complete window painted, and to the first
click computed (a click on Faren "Level Three", made again and again from
navigation on, until the title shows its result). Each load is a first
visit: the browser's cache off, no service worker.

The window is painted when a screenshot first shows it as it settles (an
upper bound); the page's own first contentful paint is printed beside it
(for a page whose whole window comes in its first paint, with its faces
loaded, the same moment; a canvas page's first paint is its loading text).

usage: page_speed.py [--against OLD_SITE] [RUNS]
       (from the checkout, after scripts/web-build.sh)

With --against, the same for another build of the page (an earlier
version's site), loaded in turn with this one in the same run.
"""

import argparse
import io
import json
import os
import statistics
import sys
import time

sys.dont_write_bytecode = True
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "web"))
from browser import Chromium, Pieces, Served  # noqa: E402

from PIL import Image  # noqa: E402

SITE = os.path.join(here, "..", "..", "build", "web", "site")
CLIP = (0, 0, 420, 480)  # where either page draws its window
with open(os.path.join(here, "..", "..", "build", "web", "layout.json")) as facts:
    TITLE = "224 " + json.load(facts)["question"]  # the title after a click on Faren "Level Three"


def pixels(browser):
    try:
        return Image.open(io.BytesIO(browser.screenshot(clip=CLIP))).convert("RGB").tobytes()
    except RuntimeError:  # the page is still being swapped in
        return None


def faren_three(browser):
    """Where Faren "Level Three" is, read from the settled page: the page's
    own control, or in a page drawn into a canvas, the layout's place in the
    window's client area, found between the window's equal borders."""
    at = browser.evaluate("(e => e && (r => [r.x + 8, r.y + r.height / 2])(e.getBoundingClientRect()))"
                          "(document.getElementById('Faren_3')?.parentElement)")
    if at:
        return at
    shot = Image.open(io.BytesIO(browser.screenshot())).convert("RGB")
    width, height = shot.size
    background = shot.getpixel((width - 1, height // 2))
    left = next(x for x in range(width) if shot.getpixel((x, 200)) != background)
    right = next(x for x in range(left, width) if shot.getpixel((x, 200)) == background) - 1
    bottom = next(y for y in range(100, height) if shot.getpixel((left + 100, y)) == background) - 1
    border = (right - left + 1 - 380) // 2
    x, y = left + border, bottom + 1 - border - 430
    return x + 193 + 2 + 8, y + 34 + 53 + 7  # Frame3, then its option 3, at the indicator


def load(browser, url):
    browser.open("about:blank")
    browser.settle()
    start = time.monotonic()
    browser.open(url)
    return start


def settled(browser, url):
    load(browser, url)
    time.sleep(2)
    return pixels(browser), faren_three(browser)


def painted(browser, url, picture):
    """The time to the first screenshot that shows the settled window (an
    upper bound: each screenshot takes a frame of its own), and the page's
    own first contentful paint."""
    start = load(browser, url)
    while pixels(browser) != picture:
        if time.monotonic() - start > 30:
            raise RuntimeError(f"{url}: the window never looked settled")
    shown = time.monotonic() - start
    contentful = browser.evaluate("performance.getEntriesByName('first-contentful-paint')[0]?.startTime")
    return shown, contentful / 1000


def first_click(browser, url, at):
    start = load(browser, url)
    while True:
        for kind in ("mousePressed", "mouseReleased"):
            browser.call("Input.dispatchMouseEvent", type=kind, x=at[0], y=at[1], button="left", clickCount=1)
        if browser.evaluate("document.title") == TITLE:
            return time.monotonic() - start
        if time.monotonic() - start > 30:
            raise RuntimeError(f"{url}: a click never computed")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--against")
    parser.add_argument("runs", nargs="?", type=int, default=9)
    args = parser.parse_args()
    pieces = Pieces()
    try:
        sites = {"this page": SITE}
        if args.against:
            sites["against"] = args.against
        urls = {name: Served(pieces, site).url + "/index.html" for name, site in sites.items()}
        browser = Chromium(pieces, 1280, 800)
        browser.call("Network.enable")
        browser.call("Network.setCacheDisabled", cacheDisabled=True)
        browser.call("Network.setBypassServiceWorker", bypass=True)
        reference = {name: settled(browser, url) for name, url in urls.items()}
        measures = ("window painted (screenshots)", "first contentful paint", "first click computed")
        samples = {name: {m: [] for m in measures} for name in urls}
        for _ in range(args.runs):
            for name, url in urls.items():
                picture, at = reference[name]
                shown, contentful = painted(browser, url, picture)
                samples[name][measures[0]].append(shown)
                samples[name][measures[1]].append(contentful)
                samples[name][measures[2]].append(first_click(browser, url, at))
        for name, taken in samples.items():
            print(f"{name} ({args.runs} loads):")
            for measure, times in taken.items():
                print(f"  {measure:30s} median {1000 * statistics.median(times):6.1f} ms "
                      f"(min {1000 * min(times):.1f}, max {1000 * max(times):.1f})")
        if args.against:
            for measure in (measures[0], measures[2]):
                ratio = statistics.median(samples["against"][measure]) / statistics.median(samples["this page"][measure])
                print(f"{measure}: the other page takes {ratio:.1f}x as long")
        browser.close()
    finally:
        pieces.end()


if __name__ == "__main__":
    main()
