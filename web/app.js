import { Session } from './api.js';
import { Model } from './model.js';
import { Tree } from './trees.js';
import { FastenerTable } from './table.js';
import { BodyView } from './view3d.js';
import { Dialogs } from './dialogs.js';

const $ = (id) => document.getElementById(id);
const session = new Session();
const model = new Model();
let activeCommand = '';

function showError(text) {
  const box = $('error');
  box.textContent = text;
  box.hidden = !text;
  clearTimeout(showError.timer);
  if (text) showError.timer = setTimeout(() => { box.hidden = true; }, 8000);
}

function log(lines) {
  const pre = $('transcript');
  for (const line of lines || []) pre.append(line + '\n');
  pre.scrollTop = pre.scrollHeight;
}

// Boxes the journal answered (OK unless told) the planner reads in turn; a
// question box waits for the planner's button, posted as `answer BUTTON`.
const boxes = [];
function showBoxes(shown, question) {
  boxes.push(...(shown || []).filter((box) => !box.asked));
  if (question) boxes.push({ ...question, question: true });
  const dialog = $('box');
  if (dialog.open || !boxes.length) return;
  const box = boxes.shift();
  $('box-title').textContent = box.title;
  $('box-text').textContent = box.text;
  $('box-answer').textContent = box.question ? '' : `answered ${box.answer}`;
  $('box-buttons').replaceChildren(...(box.question ? box.buttons : ['OK']).map((word) => {
    const button = document.createElement('button');
    button.textContent = word;
    button.dataset.answer = word;
    if (!box.question) button.id = 'box-ok';
    button.addEventListener('click', () => {
      dialog.close();
      if (box.question) send('answer', word);
      showBoxes([]);
    });
    return button;
  }));
  dialog.oncancel = (event) => { if (box.question) event.preventDefault(); };
  dialog.showModal();
}

// The file box of a command: a chooser over the document's folder and the
// examples, which the server alone lists.
let fileBox = null;
async function chooseFile(window) {
  if (fileBox === window.path) return;
  fileBox = window.path;
  const dialog = $('files');
  const patterns = (window.filters || []).map((f) => f.pattern).filter(Boolean)
    .flatMap((p) => p.split(';')).map((p) => new RegExp('^' + p.trim().replace(/[.+^${}()|[\]\\]/g, '\\$&').replace(/\*/g, '.*').replace(/\?/g, '.') + '$'));
  $('files-title').textContent = window.title || 'Choose a file';
  $('files-new').hidden = !window.save;
  $('files-name').value = window.fileName ? window.fileName.split('/').pop() : '';
  const folders = await session.files();
  const list = $('files-list');
  list.replaceChildren();
  let chosen = null;
  for (const { folder, files } of folders) {
    const title = document.createElement('div');
    title.className = 'folder';
    title.textContent = folder;
    list.append(title);
    for (const file of files.filter((f) => !patterns.length || patterns.some((p) => p.test(f.name)))) {
      const row = document.createElement('div');
      row.className = 'row';
      row.textContent = file.name;
      row.addEventListener('click', () => {
        list.querySelectorAll('.row').forEach((r) => r.classList.remove('selected'));
        row.classList.add('selected');
        chosen = file.path;
        $('files-name').value = file.name;
        $('files-name').dataset.folder = folder;
      });
      row.addEventListener('dblclick', () => finish(file.path));
      list.append(row);
    }
  }
  $('files-name').dataset.folder = folders[0]?.folder || '';
  const finish = (path) => {
    dialog.close();
    fileBox = null;
    send('file', path || 'cancel');
  };
  $('files-ok').onclick = () => {
    const name = $('files-name').value.trim();
    finish(window.save && name ? `${$('files-name').dataset.folder}/${name}` : chosen);
  };
  $('files-cancel').onclick = () => finish(null);
  dialog.oncancel = (e) => { e.preventDefault(); finish(null); };
  dialog.showModal();
}

const dialogs = new Dialogs($('dialogs'), (verb, ...args) => send(verb, ...args), chooseFile);
const pick = (reference, extend) => {
  if (activeCommand) send(extend ? 'pick+' : 'pick', reference);
  selectEverywhere(reference, extend);
};
// A double click opens the host's property window on the activity.
const processTree = new Tree($('process-tree'), 'process', pick, (reference) => send('start', 'QIVPropertyWindowCmd', reference));
const productTree = new Tree($('product-tree'), 'product', pick);
const table = new FastenerTable($('fastener-table'), $('fastener-filter'), $('fastener-count'), (name, extend) => pick(`fastener:${name}`, extend));
const view = new BodyView($('view'), pick);
let selection = [];

function selectEverywhere(reference, extend) {
  selection = extend ? [...selection, reference] : [reference];
  if (!reference.startsWith('process:')) processTree.clear();
  if (!reference.startsWith('product:')) productTree.clear();
  table.select(selection.filter((r) => r.startsWith('fastener:')).map((r) => r.slice('fastener:'.length)));
}

function drawModel() {
  processTree.render(model.list('activities'), (a) => a.type);
  productTree.render(model.list('products'), (p) => p.reference);
  const fasteners = model.list('fasteners');
  table.show(fasteners);
  view.show(model.list('products'), fasteners);
}

async function reloadModel() {
  model.load(await session.model());
  drawModel();
}

function showState(answer) {
  activeCommand = answer.command || '';
  $('command').textContent = activeCommand ? `▶ ${activeCommand}` : '';
  dialogs.render(answer.windows || []);
  log(answer.transcript);
  showBoxes(answer.boxes, answer.question);
}

async function send(verb, ...args) {
  const answer = await session.post(verb, ...args);
  if (answer.windows) showState(answer);
  showError(answer.ok ? '' : answer.error);
  if (answer.changes !== undefined || answer.modelVersion !== undefined) {
    if (model.apply(answer.changes, answer.modelVersion)) {
      if (answer.changes && answer.changes.records.length) drawModel();
    } else {
      await reloadModel();
    }
  }
  document.body.dataset.events = String(Number(document.body.dataset.events || 0) + 1);
  return answer;
}

// The palette: the module's commands by class name; a command that takes
// an object starts on the object selected last, one that takes a text asks.
async function openPalette() {
  const commands = await session.commands();
  const dialog = $('palette');
  const filter = $('palette-filter');
  const list = $('palette-list');
  const render = () => {
    const word = filter.value.toLowerCase();
    list.replaceChildren(...commands.filter((c) => c.className.toLowerCase().includes(word)).map((c) => {
      const li = document.createElement('li');
      li.textContent = c.className;
      li.dataset.className = c.className;
      if (c.argument !== 'none') {
        const hint = document.createElement('span');
        hint.className = 'argument';
        hint.textContent = c.argument === 'object' ? 'on the selection' : 'asks a text';
        li.append(hint);
      }
      li.addEventListener('click', () => start(c));
      return li;
    }));
  };
  const start = (c) => {
    dialog.close();
    const args = [c.className];
    if (c.argument === 'object') {
      if (!selection.length) return showError(`${c.className} starts on an object: select one first`);
      args.push(selection[selection.length - 1]);
    } else if (c.argument === 'text') {
      const text = prompt(`${c.className}: argument`);
      if (text === null) return;
      args.push(text);
    }
    send('start', ...args);
  };
  filter.value = '';
  filter.onkeydown = (e) => {
    const first = list.querySelector('li');
    if (e.key === 'Enter' && first) start(commands.find((c) => c.className === first.dataset.className));
  };
  filter.oninput = render;
  render();
  dialog.showModal();
  filter.focus();
}
$('palette-open').addEventListener('click', openPalette);
$('palette-close').addEventListener('click', () => $('palette').close());
addEventListener('keydown', (e) => {
  if (e.key === 'Escape' && activeCommand && !document.querySelector('dialog[open]')) send('cancel');
});

$('save').addEventListener('click', async () => {
  const answer = await session.save();
  showError(answer.ok ? '' : answer.error);
  if (answer.ok) log([`saved ${answer.saved}`]);
});

async function main() {
  try {
    const answer = await session.open();
    $('document').textContent = answer.document;
    $('journal').href = session.journalUrl();
    showState(answer);
    await reloadModel();
    document.body.dataset.ready = 'true';
  } catch (failure) {
    showError(String(failure.message || failure));
  }
}
main();
