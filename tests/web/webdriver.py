"""The page in WebKit and in Firefox, driven as browser.Chromium is: the same
calls, made through W3C WebDriver. WebKit: WebKitGTK's MiniBrowser behind
WebKitWebDriver (classic WebDriver over HTTP) on an X server of the test's
own. Firefox: headless, over WebDriver BiDi on its own remote agent, with a
profile of the test's own. Both started in the test's runtime folder and
process groups and ended with the test."""

import base64
import io
import json
import os
import socket
import tempfile
import urllib.error
import urllib.request

import websocket
from PIL import Image

from engine import Browser, Prefs
from pieces import wait_for

# W3C WebDriver's codes for the keys the test presses.
KEYS = {"Enter": "\ue007", "Backspace": "\ue003", "End": "\ue010", "Tab": "\ue004", "Escape": "\ue00c",
        "ArrowDown": "\ue015", "ArrowUp": "\ue013", "F4": "\ue034"}
CONTROL, ALT = "\ue009", "\ue00a"
# What WebKit shows a page narrower than its window in (served by
# browser.Served): the page's frame at the window's corner.
FRAME = "frame.html"


class W3CBrowser(Browser):
    """What both back ends share: input as W3C actions, which classic
    WebDriver and BiDi take in the same form, and what neither's automation
    has a call for."""

    cannot = {
        "scripts off": "its automation cannot turn them off",
        "accessibility tree": "its automation has no call for it; the random session finds the controls by their "
                              "accessible roles and names",
        "installability": "its automation has no call for it",
        "touch": "the page as a phone is the page at a phone's width, with a mouse and keys",
        "font sizes while open": "its automation sets the browser's text sizes only as it starts",
        "forced colors": "its automation cannot emulate a forced-colours mode",
    }

    def perform(self, actions):
        raise NotImplementedError

    def _pointer(self, x, y, press):
        moves = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport"}]
        if press:
            moves += [{"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.perform([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": moves}])
        self.settle()

    def click(self, x, y, count=1):
        for _ in range(count):
            self._pointer(x, y, True)

    def hover(self, x, y):
        self._pointer(x, y, False)

    def tap(self, x, y):
        self.click(x, y)

    def _keys(self, values, held=()):
        strokes = [{"type": "keyDown", "value": k} for k in held]
        for value in values:
            strokes += [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]
        strokes += [{"type": "keyUp", "value": k} for k in held]
        self.perform([{"type": "key", "id": "keyboard", "actions": strokes}])
        self.settle()

    def key(self, name, modifiers=0):  # modifiers: 1 is Alt, 2 is Ctrl, as for Chromium
        self._keys([KEYS.get(name, name)], [m for bit, m in ((1, ALT), (2, CONTROL)) if modifiers & bit])

    def type(self, text):
        self._keys(list(text))

    def centre(self, handle):
        """The centre of an element's border box, scrolled into view as a
        player would scroll to it."""
        return self.call_with(handle, "el => { el.scrollIntoView({block: 'nearest'}); "
                                      "const r = el.getBoundingClientRect(); "
                                      "return [r.x + r.width / 2, r.y + r.height / 2]; }")

    def phone(self, width, height, scale=3):
        self.desk(width, height)


class Channel:
    """Calls as JSON over a websocket, each answered by its id: the DevTools
    protocol's and WebDriver BiDi's way alike. Messages that answer no call
    (events) are passed over: the tests wait on the page instead."""

    def __init__(self, address, **options):
        self.socket = websocket.create_connection(address, timeout=60, **options)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}: {message.get('message', '')[:300]}")
                return message.get("result", {})

    def close(self):
        try:
            self.socket.close()
        except OSError:
            pass


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class WebKit(W3CBrowser):
    """MiniBrowser, whose window is never narrower than its toolbar: a page
    narrower than that is shown in a frame of that size at the window's
    corner, where the page's viewport is the frame's."""

    name = "WebKit"
    cannot = W3CBrowser.cannot | {
        "phone-wide window": "MiniBrowser's window is 447 px at the least: the page is in a frame of the phone's "
                             "width",
        "font sizes": "MiniBrowser takes no minimum or default font size",
    }
    NARROWEST = 480  # CSS px: MiniBrowser's window is 447 at the least
    MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    ELEMENT = "element-6066-11e4-a52e-4f735466cecf"

    def __init__(self, pieces, width, height, prefs=Prefs()):
        display_file = os.path.join(pieces.runtime, "display")
        with open(display_file, "w") as out:
            pieces.start(["Xvfb", "-displayfd", "1", "-screen", "0", "1600x1200x24", "-nolisten", "tcp", "-noreset"],
                         stdout=out)
        display = wait_for(lambda: open(display_file).read().strip(), seconds=30)
        if not display:
            raise RuntimeError("Xvfb did not start")
        env = dict(pieces.env, DISPLAY=f":{display}", HOME=pieces.runtime)
        port = free_port()
        pieces.start(["WebKitWebDriver", f"--port={port}"], env=env)
        self.base = f"http://127.0.0.1:{port}"
        wait_for(lambda: self._ask("GET", "/status", timeout=2, quiet=True), seconds=30, step=0.1)
        answer = self._ask("POST", "/session", {"capabilities": {"alwaysMatch": {
            "browserName": "MiniBrowser",
            "webkitgtk:browserOptions": {"binary": self.MINIBROWSER, "args": ["--automation", *(["--dark-mode"] if prefs.dark else [])]}}}})
        self.base += f"/session/{answer['sessionId']}"
        self.frame = None  # the frame's size while the page is to be shown in one
        self.in_frame = False
        self.named = None  # the page's elements with their roles and names
        self._ask("POST", "/window/rect", {"width": width, "height": height})
        self.chrome = height - self._ask("POST", "/execute/sync", {"script": "return innerHeight", "args": []})
        self.desk(width, height)

    def _ask(self, method, path, body=None, timeout=60, quiet=False):
        data = json.dumps(body).encode() if body is not None else (b"{}" if method == "POST" else None)
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"WebKitWebDriver {method} {path}: {error.read()[:300]!r}") from None
        except OSError:
            if quiet:
                return None
            raise

    def perform(self, actions):
        self._ask("POST", "/actions", {"actions": actions})

    def evaluate(self, expression):
        answer = self._ask("POST", "/execute/async", {"args": [], "script": (
            "const done = arguments[arguments.length - 1];"
            f"Promise.resolve().then(() => ({expression})).then(v => done({{value: v === undefined ? null : v}}),"
            " e => done({error: String(e)}));")})
        if "error" in answer:
            raise RuntimeError(f"in WebKit, {expression[:80]}: {answer['error']}")
        return answer["value"]

    def run(self, script):
        self._ask("POST", "/execute/sync", {"script": script, "args": []})

    def call_with(self, handle, function):
        return self._ask("POST", "/execute/sync", {"script": f"return ({function})(arguments[0])",
                                                   "args": [{self.ELEMENT: handle}]})

    def open(self, url, scripts=True):
        self.named = None
        if self.frame:
            self._ask("POST", "/url", {"url": url.rsplit("/", 1)[0] + "/" + FRAME})
            self._enter_frame()
        else:
            self._ask("POST", "/url", {"url": url})
            self.in_frame = False

    def _enter_frame(self):
        self._ask("POST", "/frame", {"id": None})
        width, height = self.frame
        frame = self._ask("POST", "/element", {"using": "css selector", "value": "iframe"})
        self.call_with(frame[self.ELEMENT], f"f => {{ f.style.width = '{width}px'; f.style.height = '{height}px'; }}")
        self._ask("POST", "/frame", {"id": frame})
        self.in_frame = True

    def desk(self, width, height):
        self._ask("POST", "/window/rect", {"width": max(width, self.NARROWEST), "height": height + self.chrome})
        self.frame = (width, height) if width < self.NARROWEST else None
        if self.frame and self.in_frame:
            self._enter_frame()

    def screenshot(self, clip=None):
        """The page's pixels: in a frame, the frame's alone."""
        png = base64.b64decode(self._ask("GET", "/screenshot"))
        if not self.frame:
            return png
        image = Image.open(io.BytesIO(png))
        out = io.BytesIO()
        image.crop((0, 0, *self.frame)).save(out, "PNG")
        return out.getvalue()

    def locate(self, role, name, within=None):
        """An element found as a screen reader names it: by its computed
        role and label (within a group so found). The page's names are read
        once a page; what was not named then (a report's button, hidden
        until it opens) is looked for again."""
        for fresh in (False, True):
            if fresh or self.named is None:
                found = self._ask("POST", "/elements", {"using": "css selector",
                                                        "value": "input, button, select, fieldset, output"})
                self.named = [(e[self.ELEMENT], self._ask("GET", f"/element/{e[self.ELEMENT]}/computedrole"),
                               self._ask("GET", f"/element/{e[self.ELEMENT]}/computedlabel")) for e in found]
            for handle, its_role, its_name in self.named:
                if its_role == role and its_name == name and (within is None or self._ask(
                        "POST", "/execute/sync", {"script": "return arguments[1].contains(arguments[0])",
                                                  "args": [{self.ELEMENT: handle}, {self.ELEMENT: within}]})):
                    return handle
        return None

    def close(self):
        try:
            self._ask("DELETE", "", timeout=10)
        except (OSError, RuntimeError):
            pass


class Firefox(W3CBrowser):
    name = "Firefox"
    # Its window never has the system's focus (document.hasFocus() is
    # false, headless or on an X server, focusmanager.testmode or not): key
    # actions type into fields and reach keydown listeners, but Enter or
    # Space on a focused button does not press it, and nothing matches
    # :focus.
    cannot = W3CBrowser.cannot | {
        "keys press buttons": "its window never has the system's focus, so a key does not press a focused "
                              "button: it is clicked",
        "focus matched": "nothing matches :focus in a window without the system's focus",
        "focus events": "a window without the system's focus sends no focus or blur events: a box is never left",
    }

    def __init__(self, pieces, width, height, prefs=Prefs()):
        profile = tempfile.mkdtemp(prefix="firefox-", dir=pieces.runtime)
        with open(os.path.join(profile, "user.js"), "w") as f:
            if prefs.dark:  # the page's scheme: 0 is dark
                f.write('user_pref("layout.css.prefers-color-scheme.content-override", 0);\n')
            if prefs.minimum_font:
                f.write(f'user_pref("font.minimum-size.x-western", {prefs.minimum_font});\n')
            if prefs.default_font:
                f.write(f'user_pref("font.size.variable.x-western", {prefs.default_font});\n')
        log = os.path.join(pieces.runtime, "firefox.log")
        env = dict(pieces.env, HOME=pieces.runtime, MOZ_CRASHREPORTER_DISABLE="1")
        with open(log, "w") as out:
            pieces.start(["firefox-esr", "--headless", "--no-remote", "--profile", profile,
                          "--remote-debugging-port", "0"], env=env, stderr=out)

        def listening():
            with open(log) as f:
                for line in f:
                    if "WebDriver BiDi listening on" in line:
                        return line.strip().rsplit(" ", 1)[1]
            return None
        address = wait_for(listening, seconds=60, step=0.1)
        if not address:
            raise RuntimeError("Firefox's remote agent never listened")
        # The agent refuses a handshake that carries an Origin.
        self.channel = Channel(address + "/session", suppress_origin=True)
        self.call = self.channel.call
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.desk(width, height)

    def perform(self, actions):
        self.call("input.performActions", context=self.context, actions=actions)

    @staticmethod
    def plain(remote):
        """A BiDi remote value as Python's."""
        kind, value = remote.get("type"), remote.get("value")
        if kind in ("array", "set"):
            return [Firefox.plain(v) for v in value]
        if kind == "object":
            return {k if isinstance(k, str) else Firefox.plain(k): Firefox.plain(v) for k, v in value}
        if kind == "number" and isinstance(value, str):
            return float(value) if value not in ("NaN", "-0") else 0
        if kind == "node":
            return remote
        return value

    def _result(self, answer, what):
        if answer.get("type") == "exception":
            raise RuntimeError(f"in Firefox, {what[:80]}: {answer['exceptionDetails'].get('text')}")
        return self.plain(answer["result"])

    def evaluate(self, expression):
        return self._result(self.call("script.evaluate", expression=f"({expression})", awaitPromise=True,
                                      target={"context": self.context}, resultOwnership="none"), expression)

    def run(self, script):
        self.call("script.evaluate", expression=script, awaitPromise=False, target={"context": self.context})

    def call_with(self, handle, function):
        return self._result(self.call("script.callFunction", functionDeclaration=function, awaitPromise=True,
                                      arguments=[{"sharedId": handle}], target={"context": self.context},
                                      resultOwnership="none"), function)

    def open(self, url, scripts=True):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def desk(self, width, height):
        self.call("browsingContext.setViewport", context=self.context, viewport={"width": width, "height": height})

    def screenshot(self, clip=None):
        return base64.b64decode(self.call("browsingContext.captureScreenshot", context=self.context)["data"])

    def locate(self, role, name, within=None):
        """An element found as a screen reader names it, by Firefox's own
        accessibility tree."""
        extra = {"startNodes": [{"sharedId": within}]} if within else {}
        nodes = self.call("browsingContext.locateNodes", context=self.context, maxNodeCount=1,
                          locator={"type": "accessibility", "value": {"role": role, "name": name}}, **extra)["nodes"]
        return nodes[0]["sharedId"] if nodes else None

    def close(self):
        try:
            self.call("session.end")
        except (OSError, RuntimeError, websocket.WebSocketException):
            pass
        self.channel.close()
