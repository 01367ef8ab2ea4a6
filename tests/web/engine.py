"""The one interface the page's checks drive every engine through
(browser.Chromium, webdriver.WebKit, webdriver.Firefox), what each engine's
automation cannot do, and what a player may have set in a browser."""

import abc
import dataclasses


@dataclasses.dataclass(frozen=True)
class Prefs:
    """What a player may have set in the browser or the system: a dark
    scheme, a minimum and a default font size in CSS px (0: the browser's)."""
    dark: bool = False
    minimum_font: int = 0
    default_font: int = 0


# What a check may need that not every engine's automation can do.
CAPABILITIES = ("scripts off", "accessibility tree", "installability", "touch", "phone-wide window",
                "keys press buttons", "focus matched", "font sizes", "font sizes while open", "forced colors",
                "focus events")


class Browser(abc.ABC):
    """One page in one engine, driven as a player drives it. Coordinates are
    CSS pixels of the viewport; `handle`s come from locate() and group()."""

    name = ""
    # Each capability the engine lacks, with the reason: declared once here,
    # said by the check that needs it.
    cannot: dict[str, str] = {}

    @classmethod
    def can(cls, capability):
        """Whether the engine can; where it cannot, the check is not driven,
        and says so with the reason."""
        if capability not in CAPABILITIES:
            raise KeyError(capability)
        if capability in cls.cannot:
            print(f"n/a     {cls.name}: not driven: {capability} ({cls.cannot[capability]})", flush=True)
            return False
        return True

    @abc.abstractmethod
    def desk(self, width, height):
        """A computer's window of that size, with a mouse."""

    @abc.abstractmethod
    def phone(self, width, height, scale=3):
        """A phone's screen of that size in CSS pixels."""

    @abc.abstractmethod
    def open(self, url, scripts=True):
        """Navigates; `scripts` off only where the engine can."""

    @abc.abstractmethod
    def evaluate(self, expression):
        """The expression's value, a promise's once it settles."""

    @abc.abstractmethod
    def run(self, script):
        """Runs a script in the page, for what it leaves behind."""

    @abc.abstractmethod
    def screenshot(self):
        """The page's pixels as PNG bytes."""

    def settle(self):
        """Waits until the page has had a turn of its event loop and drawn a
        frame, so that what an input event set off has run."""
        self.evaluate("new Promise(done => setTimeout(() => requestAnimationFrame(() => done(true)), 0))")

    @abc.abstractmethod
    def click(self, x, y, count=1):
        pass

    @abc.abstractmethod
    def hover(self, x, y):
        pass

    @abc.abstractmethod
    def tap(self, x, y):
        """A finger's tap, where the engine has touch; a click elsewhere."""

    @abc.abstractmethod
    def key(self, name, modifiers=0):
        """Presses and releases a key: a character or a named key ("Enter",
        "F4"); modifiers: 1 is Alt, 2 is Ctrl."""

    def type(self, text):
        for ch in text:
            self.key(ch)

    def insert(self, text):
        """Text as an on-screen keyboard gives it, where there is one."""
        self.type(text)

    @abc.abstractmethod
    def centre(self, handle):
        """The centre of an element's border box, scrolled into view as a
        player would scroll to it."""

    @abc.abstractmethod
    def locate(self, role, name, within=None):
        """An element as a screen reader names it, by its role and name,
        within a group so found: its handle, or None."""

    def group(self, name):
        return self.locate("group", name)

    # The engine's own views, where its capabilities say it has them.
    def ax_tree(self):
        raise NotImplementedError

    def installability_errors(self):
        raise NotImplementedError

    def text_size(self, px):
        """The browser's default text size changed while the page is open."""
        raise NotImplementedError

    def forced_colors(self, on):
        """The system's forced colours (a high-contrast mode) on or off."""
        raise NotImplementedError

    @abc.abstractmethod
    def close(self):
        pass
