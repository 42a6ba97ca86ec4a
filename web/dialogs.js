// The running commands' windows, drawn from the widget tree the server
// sends: each control a person uses posts the journal event that plays it
// (type, focusout, press, choose, select, activate, check, tab).
const el = (tag, className, text) => {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
};

export class Dialogs {
  constructor(element, post, chooseFile) {
    this.element = element;
    this.post = post;
    this.chooseFile = chooseFile;
  }

  render(windows) {
    // A name the journal can use alone when no other shown widget has it.
    const counts = new Map();
    const count = (w) => { counts.set(w.name, (counts.get(w.name) || 0) + 1); w.children.forEach(count); };
    windows.forEach(count);
    this.ref = (w) => (counts.get(w.name) === 1 ? w.name : w.path);
    const dialogs = windows.filter((w) => w.buttons).length;
    const shown = [];
    for (const window of windows) {
      if (window.kind === 'File') {
        this.chooseFile(window);
        continue;
      }
      const box = el('div', 'window');
      box.dataset.name = window.name;
      box.append(el('div', 'title', window.title || window.name));
      const body = el('div', 'body');
      body.append(this.grid(window.children));
      box.append(body);
      if (window.buttons) {
        const buttons = el('div', 'buttons');
        for (const b of window.buttons) {
          const button = el('button', '', b.title);
          button.dataset.kind = b.kind;
          button.disabled = !b.sensitive || !window.sensitive;
          button.addEventListener('click', () => this.post('press', dialogs > 1 ? `${window.name}/${b.kind}` : b.kind));
          buttons.append(button);
        }
        box.append(buttons);
      }
      shown.push(box);
    }
    this.element.replaceChildren(...shown);
  }

  // Children placed on the dialog's grid; when the command placed them by
  // attachments instead (several on one cell), in their order, a label and
  // what follows it on one line, frames and lists on lines of their own.
  grid(children) {
    const cells = new Set(children.map((c) => `${c.grid[0]},${c.grid[1]}`));
    const onGrid = cells.size === children.length;
    const grid = el('div', onGrid ? 'grid' : 'flow');
    if (onGrid) grid.style.gridTemplateColumns = `repeat(${Math.max(1, ...children.map((c) => c.grid[1] + c.grid[3]))}, auto)`;
    for (const child of children) {
      const cell = this.widget(child);
      if (!cell) continue;
      if (onGrid) {
        const [row, column, rowSpan, columnSpan] = child.grid;
        cell.style.gridRow = `${row + 1} / span ${rowSpan}`;
        cell.style.gridColumn = `${column + 1} / span ${columnSpan}`;
      } else if (!['Label', 'Editor', 'Spinner', 'Combo', 'PushButton', 'CheckButton', 'RadioButton'].includes(child.kind)) {
        cell.classList.add('line');
      }
      if (!child.visible) cell.classList.add('hidden');
      if (!child.sensitive) cell.classList.add('insensitive');
      cell.dataset.widget = child.name;
      grid.append(cell);
    }
    return grid;
  }

  widget(w) {
    const ref = this.ref(w);
    const off = !w.sensitive;
    switch (w.kind) {
      case 'Frame': {
        const set = el('fieldset');
        if (w.title) set.append(el('legend', '', w.title));
        set.append(this.grid(w.children));
        return set;
      }
      case 'TabPage':
        return this.grid(w.children);
      case 'Label': {
        const label = el('span', '', w.title);
        if (w.icon) {
          const light = el('span', 'light' + (/red/i.test(w.icon) ? ' red' : /green/i.test(w.icon) ? ' green' : ''));
          light.title = w.icon;
          label.prepend(light);
        }
        return label;
      }
      case 'Separator':
        return el('hr');
      case 'Editor':
      case 'Spinner': {
        const input = el('input');
        input.value = w.kind === 'Spinner' ? String(w.value) : w.text;
        if (w.kind === 'Spinner') Object.assign(input, { type: 'number', min: w.minimum, max: w.maximum, step: w.step });
        input.disabled = off || w.readOnly;
        input.setAttribute('aria-label', w.title || w.name);
        input.addEventListener('change', () => this.post('type', ref, input.value));
        if (w.kind === 'Editor') input.addEventListener('blur', () => this.post('focusout', ref));
        return input;
      }
      case 'Combo': {
        const select = el('select');
        w.lines.forEach((line, index) => select.append(new Option(line, index, false, index === w.selected)));
        select.disabled = off;
        select.addEventListener('change', () => this.post('choose', ref, select.value));
        return select;
      }
      case 'SelectorList':
      case 'MultiList':
        return this.list(w, ref, off);
      case 'CheckButton':
      case 'RadioButton': {
        const label = el('label');
        const input = el('input');
        input.type = w.kind === 'RadioButton' ? 'radio' : 'checkbox';
        input.checked = w.checked;
        input.disabled = off;
        input.addEventListener('change', () => this.post('check', ref, input.checked ? 'on' : 'off'));
        label.append(input, ' ', w.title || w.name);
        return label;
      }
      case 'PushButton': {
        const button = el('button', '', w.title || w.name);
        button.disabled = off;
        button.addEventListener('click', () => this.post('press', ref));
        return button;
      }
      case 'TabContainer': {
        const box = el('div');
        const tabs = el('div', 'tabs');
        for (const page of w.children) {
          const button = el('button', page.name === w.selectedPage ? 'selected' : '', page.title || page.name);
          button.disabled = off || !page.sensitive;
          button.addEventListener('click', () => this.post('tab', ref, page.name));
          tabs.append(button);
        }
        box.append(tabs);
        const page = w.children.find((p) => p.name === w.selectedPage);
        if (page) box.append(this.grid(page.children));
        return box;
      }
      default: {
        const box = el('div');
        if (w.title) box.append(el('div', '', w.title));
        box.append(this.grid(w.children));
        return box;
      }
    }
  }

  // Click selects the row shown there, Ctrl-click adds it (a list of
  // multiple selection), double click activates it.
  list(w, ref, off) {
    const box = el('div', 'list');
    if (w.columns) {
      const table = el('table');
      const head = el('tr');
      w.columns.filter((c) => c.visible).forEach((c) => head.append(el('th', '', c.title)));
      table.append(head);
      w.rows.forEach((cells, position) => table.append(this.row(el('tr'), position, w, ref, off, cells.filter((_, i) => w.columns[i].visible).map((c) => el('td', '', c)))));
      box.append(table);
    } else {
      w.rows.forEach((cells, position) => box.append(this.row(el('div', 'row'), position, w, ref, off, [cells[0]])));
    }
    return box;
  }

  row(row, position, w, ref, off, cells) {
    row.append(...cells);
    if (w.selection.includes(position)) row.classList.add('selected');
    if (off) return row;
    row.addEventListener('click', (event) => {
      const extend = w.multiple && (event.ctrlKey || event.metaKey || event.shiftKey);
      const rows = extend ? [...new Set([...w.selection, position])] : [position];
      this.post('select', ref, ...rows);
    });
    row.addEventListener('dblclick', () => this.post('activate', ref, position));
    return row;
  }
}
