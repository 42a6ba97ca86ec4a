import { assignmentColour } from './colours.js';

const COLUMNS = [
  { title: 'Name', value: (f) => f.name },
  { title: 'Type', value: (f) => f.type },
  { title: 'Joint body', value: (f) => f.jointBody ?? '' },
  { title: 'Parts', value: (f) => (f.parts || []).map((p) => p.split('/').pop()).join(', ') },
  { title: 'Assigned to', value: (f) => (f.assignedTo || []).join('; ') || 'unassigned' },
];

// The fastener table: a filter over every column, a sort by any column
// (click its title, again to reverse), a click picks the fastener.
export class FastenerTable {
  constructor(table, filter, count, onPick) {
    this.table = table;
    this.filter = filter;
    this.count = count;
    this.onPick = onPick;
    this.sort = { column: 0, descending: false };
    this.selected = new Set();
    this.fasteners = [];
    filter.addEventListener('input', () => this.render());
    const row = document.createElement('tr');
    COLUMNS.forEach((column, index) => {
      const th = document.createElement('th');
      th.textContent = column.title;
      th.addEventListener('click', () => {
        this.sort = { column: index, descending: this.sort.column === index && !this.sort.descending };
        this.render();
      });
      row.append(th);
    });
    table.tHead.append(row);
  }

  show(fasteners) {
    this.fasteners = fasteners;
    this.render();
  }

  render() {
    const words = this.filter.value.toLowerCase().split(/\s+/).filter(Boolean);
    const { column, descending } = this.sort;
    const rows = this.fasteners
      .filter((f) => words.every((w) => COLUMNS.some((c) => c.value(f).toLowerCase().includes(w))))
      .sort((a, b) => COLUMNS[column].value(a).localeCompare(COLUMNS[column].value(b), undefined, { numeric: true }) * (descending ? -1 : 1));
    const body = document.createElement('tbody');
    for (const fastener of rows) {
      const tr = document.createElement('tr');
      tr.dataset.name = fastener.name;
      if (this.selected.has(fastener.name)) tr.className = 'selected';
      COLUMNS.forEach((c, index) => {
        const td = document.createElement('td');
        if (index === 0) {
          const swatch = document.createElement('span');
          swatch.className = 'swatch';
          swatch.style.background = assignmentColour(fastener);
          td.append(swatch);
        }
        td.append(c.value(fastener));
        tr.append(td);
      });
      tr.addEventListener('click', (event) => this.onPick(fastener.name, event.ctrlKey || event.shiftKey || event.metaKey));
      body.append(tr);
    }
    this.table.tBodies[0].replaceWith(body);
    this.count.textContent = `${rows.length} of ${this.fasteners.length}`;
  }

  select(names) {
    this.selected = new Set(names);
    this.render();
  }
}
