#!/usr/bin/python3
"""First pixels of the calculator's web page against a bare Qt page (one
380 x 430 QWidget) built with the same Qt, in headless Chromium, side by
side in one run: the pages load in turn, with the browser's cache off, and
each load is timed from navigation to the first frame in which Qt has drawn
its window (the window's grey at a point where both windows are plain).

usage: first_pixels.py [RUNS]    (from the checkout, after
       scripts/web-build.sh and cmake --build --preset web --target bench_bare_page)
"""

import os
import shutil
import statistics
import sys
import tempfile
import time

sys.dont_write_bytecode = True
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "web"))
from browser import Browser, Pieces, serve  # noqa: E402

from PIL import Image  # noqa: E402
import io  # noqa: E402

BUILD = os.path.join(here, "..", "..", "build", "web")


def sites(folder):
    """The calculator's site, and the same page loading the bare program."""
    calculator = os.path.join(BUILD, "site")
    bare = os.path.join(folder, "bare")
    shutil.copytree(calculator, bare)
    for ext in ("js", "wasm"):
        os.remove(os.path.join(bare, f"improves-calc.{ext}"))
        shutil.copy(os.path.join(BUILD, "bench", "web", f"bench_bare_page.{ext}"), bare)
    with open(os.path.join(bare, "index.html")) as f:
        page = f.read().replace("loadEmscriptenModule('improves-calc')", "loadEmscriptenModule('bench_bare_page')")
    with open(os.path.join(bare, "index.html"), "w") as f:
        f.write(page)
    return {"bare page": bare, "calculator": calculator}


def drawn(browser):
    try:
        shot = browser.screenshot(clip=(330, 260, 1, 1))
    except RuntimeError:  # the page is still being swapped in
        return False
    pixel = Image.open(io.BytesIO(shot)).convert("RGB").getpixel((0, 0))
    return all(abs(v - 239) < 4 for v in pixel)  # the window's own grey, where both windows are plain


def first_pixels(browser, url):
    browser.open("about:blank")
    start = time.monotonic()
    browser.open(url)
    while not drawn(browser):
        if time.monotonic() - start > 60:
            raise RuntimeError(f"{url} drew nothing in 60 s")
    return time.monotonic() - start


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    pieces = Pieces()
    folder = tempfile.mkdtemp(prefix="improves-bench-")
    try:
        times = {}
        for name, site in sites(folder).items():
            times[name] = (serve(pieces, site), [])
        browser = Browser(pieces, 1280, 800)
        browser.call("Network.enable")
        browser.call("Network.setCacheDisabled", cacheDisabled=True)
        for _ in range(runs):
            for name, (url, samples) in times.items():
                samples.append(first_pixels(browser, url + "/index.html"))
        bare = statistics.median(times["bare page"][1])
        for name, (_, samples) in times.items():
            median = statistics.median(samples)
            print(f"{name:12s} median {median:.3f} s over {runs} loads (min {min(samples):.3f}, "
                  f"max {max(samples):.3f}), {median / bare:.2f}x the bare page")
        browser.close()
    finally:
        pieces.end()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
