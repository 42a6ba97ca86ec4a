import { pathTree } from './model.js';

// A tree of records by path: expand and collapse, select with a click, add
// to the selection with Ctrl or Shift (the extend modifier of a pick), open
// with a double click when the tree says how.
export class Tree {
  constructor(element, prefix, onPick, onOpen) {
    this.element = element;
    this.prefix = prefix;
    this.onPick = onPick;
    this.onOpen = onOpen;
    this.collapsed = new Set();
    this.selected = new Set();
  }

  render(records, describe) {
    const list = (nodes) => {
      const ul = document.createElement('ul');
      for (const node of nodes) {
        const li = document.createElement('li');
        li.setAttribute('role', 'treeitem');
        const row = document.createElement('div');
        row.className = 'node' + (this.selected.has(node.path) ? ' selected' : '');
        row.dataset.path = node.path;
        const toggle = document.createElement('span');
        toggle.className = 'toggle';
        const open = !this.collapsed.has(node.path);
        toggle.textContent = node.children.length ? (open ? '▾' : '▸') : '';
        toggle.addEventListener('click', (event) => {
          event.stopPropagation();
          if (open) this.collapsed.add(node.path); else this.collapsed.delete(node.path);
          this.render(records, describe);
        });
        const kind = document.createElement('span');
        kind.className = 'kind';
        kind.textContent = describe(node.record);
        row.append(toggle, node.name, kind);
        row.addEventListener('click', (event) => this.click(node.path, event.ctrlKey || event.shiftKey || event.metaKey));
        li.append(row);
        if (node.children.length && open) li.append(list(node.children));
        ul.append(li);
      }
      return ul;
    };
    this.records = records;
    this.describe = describe;
    this.element.replaceChildren(list(pathTree(records)));
  }

  // A click redraws the tree, so the second click of a double click lands
  // on a new row: a double click is two clicks on one path, close in time.
  click(path, extend) {
    const now = performance.now();
    const again = this.onOpen && !extend && this.lastClick?.path === path && now - this.lastClick.time < 500;
    this.lastClick = again ? null : { path, time: now };
    if (again) this.onOpen(`${this.prefix}:${path}`);
    else this.pick(path, extend);
  }

  pick(path, extend) {
    if (!extend) this.selected.clear();
    this.selected.add(path);
    this.render(this.records, this.describe);
    this.onPick(`${this.prefix}:${path}`, extend);
  }

  clear() {
    if (!this.selected.size) return;
    this.selected.clear();
    this.render(this.records, this.describe);
  }
}
