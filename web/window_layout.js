// What the page's layout needs that its style sheet cannot say.
//
// The page's own order, which a screen reader and the page that flows for
// fingers follow, is the window read row by row. At a desk the keyboard
// goes the window's way instead: each control takes the window's tab index
// (its data-tab) while the style sheet lays the window out (its --layout).
//
// The desk window grows with the reader's text: where the browser draws the
// window's text larger than the window's own size (a larger default size, a
// minimum font size), every length of the window grows with it (--g), so
// that no caption runs into another.

const WINDOW_TEXT = 32 / 3; // CSS px: the window's text, at a reader's default size of 16 px

const focusables = [...document.querySelectorAll('[data-tab]')];
const ownTabIndex = new Map(focusables.map((e) => [e, e.getAttribute('tabindex')]));

function keyboardOrder() {
  const desk = getComputedStyle(document.documentElement).getPropertyValue('--layout').trim() === 'desk';
  for (const e of focusables) {
    if (desk)
      e.tabIndex = Number(e.dataset.tab);
    else if (ownTabIndex.get(e) === null)
      e.removeAttribute('tabindex');
    else
      e.setAttribute('tabindex', ownTabIndex.get(e));
  }
}

// How much larger than the window's own the browser draws its text: the
// largest size, from the window's own up, that a line at the window's text
// size is drawn as wide as (a minimum font size draws every smaller size at
// the minimum). The line is long, so that no two sizes lay out alike by the
// rounding of glyphs to pixels. An engine that draws text at whole pixels
// draws sizes within a pixel of the window's alike: that is not the
// reader's text growing, and a line a pixel larger tells it apart at once.
const PROBE = 'Weapon Class, Level Three, Select School, Drastically Further 0123456789';
const GROWTHS = Array.from({ length: 65 }, (_, i) => 1 + i / 32).filter((g) => (g - 1) * WINDOW_TEXT > 1);

function widths(sizes) {
  const probes = document.createElement('div');
  probes.setAttribute('aria-hidden', 'true');
  probes.style.cssText = 'position: absolute; top: 0; left: 0; visibility: hidden; white-space: nowrap';
  for (const size of sizes) {
    const probe = probes.appendChild(document.createElement('span'));
    probe.textContent = PROBE;
    probe.style.cssText = `display: block; width: max-content; font: ${size} sans-serif`;
  }
  document.body.append(probes);
  const drawn = [...probes.children].map((probe) => probe.getBoundingClientRect().width);
  probes.remove();
  return drawn;
}

function textGrowth() {
  const [windowText, pixelMore] = widths(['calc(2rem / 3)', `${WINDOW_TEXT + 1}px`]);
  if (windowText < pixelMore)
    return 1;
  const grown = widths(GROWTHS.map((growth) => `${WINDOW_TEXT * growth}px`));
  return GROWTHS.findLast((growth, i) => grown[i] <= windowText + 0.01) ?? 1;
}

function fit() {
  const growth = textGrowth();
  document.documentElement.style.setProperty('--g', String(growth));
  keyboardOrder();
}

export function followLayout() {
  fit();
  addEventListener('resize', fit);
}
