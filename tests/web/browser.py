"""A static site served on 127.0.0.1 and headless Chromium driving it over
the DevTools protocol, both started in the test's own runtime folder and
process groups (see ../desktop/pieces.py) and ended with the test; and the
engines a test can ask for by name, each an engine.Browser (webdriver.py
has the other two)."""

import base64
import http.server
import json
import os
import sys
import tempfile
import threading
import urllib.request


sys.dont_write_bytecode = True  # importing pieces must leave no cache in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop"))
from pieces import Pieces, check, run_checks, wait_for  # noqa: E402,F401 (for the tests and benchmarks)
import webdriver  # noqa: E402
from engine import Browser, Prefs  # noqa: E402,F401

# What keeps a headless Chromium from reaching out: this machine's network is
# closed, and the test needs none of it. (And in a container, whose shared
# memory is small, Chromium keeps its own in /tmp.)
QUIET = ["--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--no-first-run", "--no-default-browser-check",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-quic", "--disable-extensions", "--enable-unsafe-swiftshader", "--mute-audio"]


# The page in a frame of its own, for an engine whose window cannot be as
# narrow as a phone's screen (webdriver.WebKit).
FRAME_PAGE = (b'<!doctype html><title>frame</title><style>body { margin: 0; } iframe { border: 0; display: block; }'
              b'</style><iframe src="index.html"></iframe>')


class Server(http.server.ThreadingHTTPServer):
    # A worker asks for every file at once; on a loaded machine the default
    # backlog of 5 can drop some of them.
    request_queue_size = 64


class Served:
    """The folder `site` served on 127.0.0.1 until stop() or the pieces end,
    at `url`; serve() changes the folder, as a host does a new version.
    `keep` is how long a browser may keep each file (Cache-Control), none
    by default. The port is the one the system gives the listening socket,
    so that runs side by side cannot both take it."""

    def __init__(self, pieces, site, keep=None):
        served = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def translate_path(self, path):
                # The folder served when the request comes, not when its
                # connection was opened: a browser opens connections ahead
                # of need, and one opened before serve() answered from the
                # old folder (Firefox's update check then found no new worker).
                self.directory = served.site
                return super().translate_path(path)

            def do_GET(self):
                if self.path.split("?")[0].endswith("/" + webdriver.FRAME):
                    self.send_response(200)
                    self.send_header("Content-Type", "text/html")
                    self.send_header("Content-Length", str(len(FRAME_PAGE)))
                    self.end_headers()
                    self.wfile.write(FRAME_PAGE)
                else:
                    super().do_GET()

            def end_headers(self):
                if keep is not None:
                    self.send_header("Cache-Control", f"max-age={keep}")
                super().end_headers()

            def log_message(self, *args):
                pass

        self.site = site
        self.server = Server(("127.0.0.1", 0), Handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        pieces.on_end(self.stop)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}"

    def serve(self, site):
        self.site = site

    def stop(self):
        """The network gone: nothing answers at the address any more."""
        self.server.shutdown()
        self.server.server_close()


class Chromium(Browser):
    """One headless Chromium page, driven over the DevTools protocol: the
    one engine whose automation can do all the checks ask."""

    name = "Chromium"
    cannot = {}

    def __init__(self, pieces, width, height, prefs=Prefs()):
        env = dict(pieces.env, HOME=pieces.runtime)
        profile = tempfile.mkdtemp(prefix="chromium-", dir=pieces.runtime)
        sizes = {"minimum_font_size": prefs.minimum_font, "default_font_size": prefs.default_font}
        if any(sizes.values()):
            os.makedirs(os.path.join(profile, "Default"))
            with open(os.path.join(profile, "Default", "Preferences"), "w") as f:
                json.dump({"webkit": {"webprefs": {k: v for k, v in sizes.items() if v}}}, f)
        # Port 0: Chromium takes a free port and writes it into the profile.
        pieces.start(["chromium", *QUIET, f"--user-data-dir={profile}", "--remote-debugging-port=0",
                      "--remote-allow-origins=*", "about:blank"], env=env)

        def page():
            try:
                with open(os.path.join(profile, "DevToolsActivePort")) as f:
                    port = int(f.readline())
                with urllib.request.urlopen(f"http://127.0.0.1:{port}/json", timeout=2) as answer:
                    return next((t for t in json.load(answer) if t.get("type") == "page"), None)
            except (OSError, ValueError):
                return None
        target = wait_for(page, seconds=30, step=0.1)
        if target is None:
            raise RuntimeError("Chromium's DevTools never answered")
        self.channel = webdriver.Channel(target["webSocketDebuggerUrl"])
        self.call = self.channel.call
        self.call("Page.enable")
        self.call("Runtime.enable")
        if prefs.dark:
            self.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-color-scheme", "value": "dark"}])
        # First, or clicks land off by the window chrome.
        self.desk(width, height)

    def desk(self, width, height):
        """A computer's window of that size, with a mouse."""
        self.call("Emulation.setTouchEmulationEnabled", enabled=False)
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)

    def phone(self, width, height, scale=3):
        """A phone's screen of that size in CSS pixels: touch, and `scale`
        device pixels to a CSS pixel."""
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=True, screenWidth=width, screenHeight=height)
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def open(self, url, scripts=True):
        self.call("Emulation.setScriptExecutionDisabled", value=not scripts)
        self.call("Page.navigate", url=url)

    def evaluate(self, expression):
        """The expression's value, a promise's once it settles."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"in Chromium, {expression[:80]}: {result['exceptionDetails'].get('text')}")
        return result.get("result", {}).get("value")

    def run(self, script):
        self.call("Runtime.evaluate", expression=script)

    def screenshot(self, clip=None):
        """The page's pixels as PNG bytes (of the rectangle x, y, width, height if given)."""
        params = {"format": "png"}
        if clip:
            x, y, w, h = clip
            params["clip"] = {"x": x, "y": y, "width": w, "height": h, "scale": 1}
        return base64.b64decode(self.call("Page.captureScreenshot", **params)["data"])

    def click(self, x, y, count=1):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            extra = {} if kind == "mouseMoved" else {"button": "left", "clickCount": count}
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, **extra)
        self.settle()

    def hover(self, x, y):
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        self.settle()

    def tap(self, x, y):
        """A finger's tap."""
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])
        self.settle()

    def insert(self, text):
        """Text as an on-screen keyboard gives it: one character at a time,
        without key codes."""
        for ch in text:
            self.call("Input.insertText", text=ch)
            self.settle()

    def centre(self, backend_node):
        """The centre of a node's border box in CSS pixels of the viewport,
        scrolled into view as a player would scroll to it."""
        self.call("DOM.scrollIntoViewIfNeeded", backendNodeId=backend_node)
        quad = self.call("DOM.getBoxModel", backendNodeId=backend_node)["model"]["border"]
        return (quad[0] + quad[4]) / 2, (quad[1] + quad[5]) / 2

    def ax_tree(self):
        """The page's accessibility tree as a screen reader gets it."""
        return self.call("Accessibility.getFullAXTree")["nodes"]

    def locate(self, role, name, within=None):
        """A node of the accessibility tree by its role and name, within a
        group so found: the DOM node's id, for centre()."""
        node = find_ax(self.ax_tree(), role, name, within)
        return node["backendDOMNodeId"] if node else None

    def installability_errors(self):
        return self.call("Page.getInstallabilityErrors")["installabilityErrors"]

    def text_size(self, px):
        self.call("Page.setFontSizes", fontSizes={"standard": px})

    def forced_colors(self, on):
        self.call("Emulation.setEmulatedMedia", features=[{"name": "forced-colors", "value": "active" if on else ""}])

    KEYS = {"Enter": (13, "\r"), "Backspace": (8, ""), "End": (35, ""), "Tab": (9, ""), "Escape": (27, ""),
            "ArrowDown": (40, ""), "ArrowUp": (38, ""), "F4": (115, "")}

    def key(self, name, modifiers=0):  # modifiers: 1 is Alt, 2 is Ctrl
        """Presses and releases a key as a keyboard does: `name` is a
        character or one of KEYS."""
        if name in self.KEYS:
            number, text, code = *self.KEYS[name], name
        else:
            number, text = ord(name.upper()), name
            code = f"Key{name.upper()}" if name.isalpha() else f"Digit{name}" if name.isdigit() else ""
        event = {"key": name, "code": code, "windowsVirtualKeyCode": number, "modifiers": modifiers}
        down = dict(event, type="keyDown")
        if text and not modifiers:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", **event)
        self.settle()

    def close(self):
        self.channel.close()


def find_ax(tree, role, name, within=None):
    """The node of that role and name that a screen reader reaches, if need
    be under the node of DOM node `within`."""
    nodes = {n["nodeId"]: n for n in tree}
    value = lambda n, key: (n.get(key) or {}).get("value", "")  # noqa: E731
    top = next((n["nodeId"] for n in tree if within is not None and n.get("backendDOMNodeId") == within), None)

    def under(node_id):
        while node_id in nodes:
            if node_id == top:
                return True
            node_id = nodes[node_id].get("parentId")
        return False
    return next((n for n in tree if not n.get("ignored") and value(n, "role") == role and value(n, "name") == name
                 and (within is None or under(n["nodeId"]))), None)


ENGINES = {"chromium": Chromium, "webkit": webdriver.WebKit, "firefox": webdriver.Firefox}
