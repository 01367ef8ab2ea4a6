#!/usr/bin/python3
"""Lighthouse's scores for the calculator's web page as a phone on a slow
network meets it (Lighthouse's own mobile emulation and simulated slow 4G),
served on 127.0.0.1 by a server that compresses what it sends, as the
servers a site is published on do.

usage: lighthouse.py [SITE]   (from the checkout, after scripts/web-build.sh;
       installs Lighthouse at the version the lockfile here pins, into
       build/bench-npm, on first use)
"""

import gzip
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading

sys.dont_write_bytecode = True
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "web"))
from browser import QUIET, Pieces  # noqa: E402

CHECKOUT = os.path.join(here, "..", "..")
TOOLS = os.path.join(CHECKOUT, "build", "bench-npm")
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]


def lighthouse():
    cli = os.path.join(TOOLS, "node_modules", "lighthouse", "cli", "index.js")
    if not os.path.exists(cli):
        os.makedirs(TOOLS, exist_ok=True)
        for name in ("package.json", "package-lock.json"):
            shutil.copy(os.path.join(here, name), TOOLS)
        subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--loglevel=error"], cwd=TOOLS, check=True)
    return cli


class Compressing(http.server.SimpleHTTPRequestHandler):
    """Sends every file gzipped to a browser that takes it."""

    def log_message(self, *args):
        pass

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if "gzip" not in self.headers.get("Accept-Encoding", "") or not os.path.isfile(path):
            return super().send_head()
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), 9)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        return _Body(body)


class _Body:
    def __init__(self, body):
        self.body = body

    def read(self, *args):
        body, self.body = self.body, b""
        return body

    def close(self):
        pass


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else os.path.join(CHECKOUT, "build", "web", "site")
    cli = lighthouse()
    pieces = Pieces()
    report = tempfile.mkdtemp(prefix="lighthouse-", dir=pieces.runtime)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), lambda *a: Compressing(*a, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        url = f"http://127.0.0.1:{server.server_address[1]}/"
        out = os.path.join(report, "report.json")
        subprocess.run(["node", cli, url, "--quiet", f"--only-categories={','.join(CATEGORIES)}",
                        "--output=json", f"--output-path={out}",
                        "--chrome-flags=" + " ".join(QUIET + [f"--user-data-dir={report}/profile"])],
                       env=dict(pieces.env, CHROME_PATH="/usr/bin/chromium", HOME=pieces.runtime), check=True)
        with open(out) as f:
            result = json.load(f)
        print(" ".join(f"{name} {round(100 * result['categories'][name]['score'])}" for name in CATEGORIES))
        audits = result["audits"]
        for metric in ("first-contentful-paint", "largest-contentful-paint", "speed-index", "total-blocking-time",
                       "interactive", "cumulative-layout-shift"):
            print(f"  {audits[metric]['title']}: {audits[metric]['displayValue']}")
        for name in CATEGORIES:
            for ref in result["categories"][name]["auditRefs"]:
                audit = audits[ref["id"]]
                if ref["weight"] and audit["score"] is not None and audit["score"] < 1:
                    print(f"  {name}, short of full marks: {audit['title']} ({audit.get('displayValue', '')})")
    finally:
        server.shutdown()
        pieces.end()


if __name__ == "__main__":
    main()
