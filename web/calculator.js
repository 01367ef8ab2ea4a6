// The page's side of the calculator: its controls' events go to the core's
// Calculator, which keeps the window's rules, and the core's writes come
// back through `page`. Nothing is decided here; the page was complete,
// first result included, before this ran.
// The script and the core are asked for by their build (the site's build
// step writes it for {{BUILD}}): a browser that kept another build's copies
// in its memory, where a worker cannot reach, cannot mix them with this page.
import createCore from './improves-core.js?build={{BUILD}}';
import { schoolBox } from './school_box.js?build={{BUILD}}';
import { followLayout } from './window_layout.js?build={{BUILD}}';

const byId = (id) => document.getElementById(id);
const client = byId('client');
const boxes = [...client.querySelectorAll('[data-box]')].sort((a, b) => a.dataset.box - b.dataset.box);
const report = byId('report');
const about = byId('Form2');
let reportBox = null; // the box the open report names, until a run mends it

const page = {
  readTexts: () => [...boxes.map((box) => box.value), byId('Combo2').value],
  setBoxText: (box, text) => { boxes[box].value = text; },
  setBoxEnabled: (box, enabled) => { boxes[box].disabled = !enabled; },
  showResult(result) {
    byId('lblTotal').value = result.number;
    byId('Label1').value = result.verdict;
    byId('working').textContent = result.working;
    document.title = result.title;
    byId('caption').lastChild.textContent = result.title;
    byId('live').value = result.announcement;
    // A report still open, or about to open, speaks of a failure this run
    // has mended.
    reportBox = null;
    report.close();
  },
  // The report opens once the event that failed is over: opened at once, it
  // would take the focus, and the Enter that failed would press its OK.
  showReport(message, box) {
    byId('report-message').textContent = message;
    byId('live').value = message;
    reportBox = boxes[box];
    setTimeout(() => {
      if (reportBox && !report.open)
        report.showModal();
    });
  },
};

// After the report, the box it names has the focus with its text selected,
// so that typing replaces it.
report.addEventListener('close', () => {
  if (reportBox && !reportBox.disabled) {
    reportBox.focus();
    reportBox.select();
  }
  reportBox = null;
});

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
followLayout();
schoolBox(byId('Combo2'));

async function start() {
  const core = await createCore({ locateFile: (file) => `${file}?build={{BUILD}}` });
  const calculator = new core.Calculator(page);
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
  for (const box of boxes)
    box.addEventListener('keydown', (event) => calculator.keyPress(event.key));
  byId('Command1').addEventListener('click', () => calculator.enterClicked());
}

start().catch((error) => end(error.message || error));
// On a return, the worker's own script is asked of the network, so that a
// new version is found at once however long the host lets files be kept, in
// every browser (some look only now and then by themselves).
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).then((r) => {
    if (r.active)
      r.update();
  });
}
