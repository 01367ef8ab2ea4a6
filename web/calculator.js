// The page's side of the calculator: its controls' events go to the core's
// Calculator, which keeps the window's rules, and the core's writes come
// back through `page`. Nothing of the calculator's is decided here; the
// page was complete, first result included, before this ran. Beside that,
// the School box's list, and what the layout needs that the style sheet
// cannot say.
// The script and the core are asked for by their build, which the page
// generator writes into this script and the page: a browser that kept
// another build's copies in its memory, where a worker cannot reach, cannot
// mix them with this page.
import createCore from './improves-core.js?build={{BUILD}}';

// The School box as an editable combo box (the WAI-ARIA pattern, without
// autocomplete): a text field the player types into, with an arrow that
// opens the list of schools under it. The list opens by the arrow (pointer
// or finger), by Alt+Down or F4 without moving the visual focus, and by Down
// or Up onto its first or last school; Up and Down move through it, Enter
// or a click writes the school into the field, Escape closes it. Any edit,
// or a move of the text cursor, puts the visual focus back in the field,
// where Enter keeps what was typed. The core reads only the field's text.

function schoolBox(field) {
  const combo = field.parentElement;
  const list = document.getElementById(field.getAttribute('aria-controls'));
  const arrow = field.nextElementSibling;
  const options = [...list.children];
  let active = -1; // the option with the visual focus; -1, the field

  const mark = (index) => {
    active = index;
    options.forEach((option, i) => option.setAttribute('aria-selected', String(i === index)));
    if (index < 0) {
      field.removeAttribute('aria-activedescendant');
    } else {
      field.setAttribute('aria-activedescendant', options[index].id);
      options[index].scrollIntoView({ block: 'nearest' });
    }
  };
  const show = (open, index = -1) => {
    list.hidden = !open;
    for (const control of [field, arrow])
      control.setAttribute('aria-expanded', String(open));
    mark(open ? index : -1);
  };
  const pick = (index) => {
    field.value = options[index].textContent;
    show(false);
  };

  // The list belongs to a control with the focus. A pointer gives it to the
  // field; a finger to the arrow, a button: the field would bring up the
  // on-screen keyboard over the list.
  arrow.addEventListener('pointerdown', (event) => {
    event.preventDefault();
    (event.pointerType === 'touch' ? arrow : field).focus({ preventScroll: true });
  });
  list.addEventListener('pointerdown', (event) => event.preventDefault());
  arrow.addEventListener('click', () => show(list.hidden));
  list.addEventListener('click', (event) => {
    const index = options.indexOf(event.target.closest('[role="option"]'));
    if (index >= 0)
      pick(index);
  });
  document.addEventListener('pointerdown', (event) => {
    if (!list.hidden && !combo.contains(event.target))
      show(false);
  });
  combo.addEventListener('focusout', (event) => {
    if (!combo.contains(event.relatedTarget))
      show(false);
  });
  field.addEventListener('input', () => mark(-1));
  field.addEventListener('keydown', (event) => {
    const open = !list.hidden, down = event.key === 'ArrowDown';
    if (event.key === 'F4' || (event.altKey && down && !open))
      show(!open, active);
    else if (event.altKey && event.key === 'ArrowUp')
      show(false);
    else if (down || event.key === 'ArrowUp')
      show(true, active < 0 ? (down ? 0 : options.length - 1)
        : (active + (down ? 1 : options.length - 1)) % options.length);
    else if (open && event.key === 'Enter')
      active < 0 ? show(false) : pick(active);
    else if (open && event.key === 'Escape')
      show(false);
    else {
      if (['ArrowLeft', 'ArrowRight', 'Home', 'End'].includes(event.key))
        mark(-1); // and the key moves the text cursor
      return;
    }
    event.preventDefault();
  });
}

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

const WINDOW_TEXT_REM = {{WINDOW_TEXT}}; // the window's text, in the reader's units
const WINDOW_TEXT = 16 * WINDOW_TEXT_REM; // CSS px, at a reader's default size of 16 px

const focusables = [...document.querySelectorAll('[data-tab]')];
const ownTabIndex = new Map(focusables.map((e) => [e, e.getAttribute('tabindex')]));

let deskOrder = null; // whether the controls hold the window's tab indices

const atDesk = () => getComputedStyle(document.documentElement).getPropertyValue('--layout').trim() === 'desk';

function keyboardOrder() {
  const desk = atDesk();
  if (desk === deskOrder)
    return;
  deskOrder = desk;
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

// Lines of the probe at each size, laid out out of sight.
function probes(sizes) {
  const lines = document.createElement('div');
  lines.setAttribute('aria-hidden', 'true');
  // Clipped to nothing, so that a line wider than a phone's screen does not
  // widen the page while it is measured.
  lines.style.cssText = 'position: absolute; top: 0; left: 0; width: 0; height: 0; overflow: hidden; ' +
    'visibility: hidden; white-space: nowrap';
  for (const size of sizes) {
    const probe = lines.appendChild(document.createElement('span'));
    probe.textContent = PROBE;
    probe.style.cssText = `display: block; width: max-content; font: ${size} sans-serif`;
  }
  return document.body.appendChild(lines);
}

const widths = (lines) => [...lines.children].map((line) => line.getBoundingClientRect().width);

function measured(lines) {
  const found = widths(lines);
  lines.remove();
  return found;
}

// The window's text against a line a pixel larger.
const FIRST = [`calc(${WINDOW_TEXT_REM} * 1rem)`, `${WINDOW_TEXT + 1}px`];

function textGrowth([windowText, pixelMore]) {
  if (windowText < pixelMore)
    return 1;
  const grown = measured(probes(GROWTHS.map((growth) => `${WINDOW_TEXT * growth}px`)));
  return GROWTHS.findLast((growth, i) => grown[i] <= windowText + 0.01) ?? 1;
}

function fit(firstWidths) {
  // Set only where it changes: a style on the root restyles the whole page.
  const growth = String(textGrowth(firstWidths)), root = document.documentElement;
  if (getComputedStyle(root).getPropertyValue('--g').trim() !== growth)
    root.style.setProperty('--g', growth);
  keyboardOrder();
}

function followLayout() {
  // The two lines stay, out of sight, for the page's life: a default or a
  // minimum size set while the page is open, or a zoom of text alone,
  // resizes the window text's line, and the window is fitted anew. Its
  // first size comes as the page is first laid out: a layout forced from
  // here would hold up the core's start.
  const first = probes(FIRST);
  new ResizeObserver(() => fit(widths(first))).observe(first.firstChild);
  // A resize may change the layout; a zoom (a new device pixel ratio) may
  // also draw the lines to other pixels, and so is measured too.
  let ratio = devicePixelRatio;
  addEventListener('resize', () => {
    if (devicePixelRatio === ratio)
      return keyboardOrder();
    ratio = devicePixelRatio;
    fit(widths(first));
  });
}

const byId = (id) => document.getElementById(id);
const client = byId('client');
const boxes = [...client.querySelectorAll('[data-box]')];
const schoolField = client.querySelector('[role="combobox"]');
const report = byId('report');
const about = byId('Form2');
let reportDue = false; // the report is to open once this event is over

// What the window's rules write: they decide when the report opens, is
// withdrawn, and which box then takes the focus.
const page = {
  // Each box's text by its name, the school box's too.
  readTexts: () => Object.fromEntries([...boxes, schoolField].map((box) => [box.id, box.value])),
  setBoxText: (name, text) => { byId(name).value = text; },
  setBoxEnabled: (name, enabled) => { byId(name).disabled = !enabled; },
  showResult(result) {
    byId('lblTotal').value = result.number;
    byId('Label1').value = result.verdict;
    byId('working').textContent = result.working;
    document.title = result.title;
    byId('caption').lastChild.textContent = result.title;
    byId('live').value = result.announcement;
  },
  // Opened at once, the report would take the focus, and the Enter that
  // failed would press its OK.
  showReport(message) {
    byId('report-message').textContent = message;
    byId('live').value = message;
    if (!reportDue && !report.open) {
      reportDue = true;
      setTimeout(() => {
        if (reportDue)
          report.showModal();
        reportDue = false;
      });
    }
  },
  withdrawReport() {
    reportDue = false;
    report.close();
  },
  focusBox(name) {
    byId(name).focus();
    byId(name).select();
  },
};

function hideAbout() {
  const hadFocus = about.contains(document.activeElement);
  about.close();
  if (hadFocus)
    byId('Command3').focus();
}
byId('Label7').addEventListener('click', hideAbout);
byId('Form2-close').addEventListener('click', hideAbout);
about.addEventListener('keydown', (event) => {
  if (event.key === 'Escape')
    hideAbout();
});

// The calculator gone, the page says so, and how to start it again.
function end(why) {
  for (const dialog of [about, report])
    dialog.close();
  byId('Form1').hidden = true;
  if (why)
    byId('ended').firstChild.textContent = `The calculator could not start (${why}). `;
  byId('ended').hidden = false;
}
byId('Command2').addEventListener('click', () => end());
byId('Command3').addEventListener('click', () => about.show());

async function start() {
  const core = await createCore({ locateFile: (file) => `${file}?build={{BUILD}}` });
  const calculator = new core.Calculator(page);
  report.addEventListener('close', () => calculator.reportDismissed());
  calculator.load();
  // Choices made before the core was there: the page's own controls kept them.
  for (const chosen of client.querySelectorAll('input[type="radio"]:checked'))
    if (calculator.selected(chosen.name) !== Number(chosen.value))
      calculator.choose(chosen.name, Number(chosen.value));

  // A click comes however an option is chosen: pointer, finger, Space,
  // arrow keys, a screen reader's action; for the selected option too.
  client.addEventListener('click', (event) => {
    if (event.target.type === 'radio')
      calculator.choose(event.target.name, Number(event.target.value));
  });
  // Where the page flows for fingers, a keypad may have no Enter (a phone's
  // number pad has only its "Done", which leaves the box): a box left after
  // an edit counts as Enter in it. At a desk only Enter and the clicks
  // count, as in the window.
  for (const box of boxes) {
    let edited = false; // since the box's text last counted
    box.addEventListener('input', () => { edited = true; });
    box.addEventListener('keydown', (event) => {
      if (event.key === 'Enter')
        edited = false;
      calculator.keyPress(event.key);
    });
    box.addEventListener('blur', () => {
      if (edited && !atDesk())
        calculator.keyPress('Enter');
      edited = false;
    });
  }
  byId('Command1').addEventListener('click', () => calculator.enterClicked());
}

start().catch((error) => end(error.message || error));
schoolBox(schoolField);
followLayout();
// On a return, the worker's own script is asked of the network, so that a
// new version is found at once however long the host lets files be kept, in
// every browser (some look only now and then by themselves).
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).then((r) => {
    if (r.active)
      r.update();
  });
}
