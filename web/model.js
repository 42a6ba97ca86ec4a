// The page's copy of the document: the records the server lists (products,
// activities, fasteners, joints, features), kept by kind and key, patched
// with the records an event changed.
const keyOf = (record) => record.path ?? record.name;

export class Model {
  constructor() {
    this.version = -1;
    this.kinds = {};
  }

  load(listing) {
    this.version = listing.version;
    this.document = listing.document;
    for (const kind of ['products', 'activities', 'fasteners', 'joints', 'features']) {
      this.kinds[kind] = new Map((listing[kind] || []).map((record) => [keyOf(record), record]));
    }
  }

  // Applies an event's changes; false when the page must read the whole
  // model again: something was deleted, another tab changed it, or an
  // activity or product changed, whose path (its key) may have changed
  // with it. Fasteners keep their names: their records are patched.
  apply(changes, version) {
    const expected = this.version + (changes && changes.records.length ? 1 : 0);
    if (!changes || changes.reload || version !== expected) return version === this.version;
    if (changes.records.some(({ kind }) => kind !== 'fasteners')) return false;
    for (const { kind, record } of changes.records) this.kinds[kind].set(keyOf(record), record);
    this.version = version;
    return true;
  }

  list(kind) { return [...(this.kinds[kind] || new Map()).values()]; }
  get(kind, key) { return this.kinds[kind]?.get(key); }
}

// The records with a path ("A/B/C") as a tree of {name, path, record, children}.
export function pathTree(records) {
  const root = { children: [] };
  const byPath = new Map();
  for (const record of records) {
    const names = record.path.split('/');
    const parent = names.length > 1 ? byPath.get(names.slice(0, -1).join('/')) : root;
    const node = { name: names[names.length - 1], path: record.path, record, children: [] };
    byPath.set(record.path, node);
    (parent || root).children.push(node);
  }
  return root.children;
}
