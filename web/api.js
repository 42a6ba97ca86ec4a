// The server's protocol: one tab session, events posted one after another
// (each a journal verb and its words), answers handed to the page in order.
const token = new URLSearchParams(location.search).get('token') || '';

async function request(method, path, body) {
  const response = await fetch(path, {
    method,
    headers: { 'Content-Type': 'application/json', 'X-Biwplan-Token': token },
    body: body === undefined ? undefined : JSON.stringify(body),
    keepalive: method === 'POST' && path === '/api/close',
  });
  const answer = await response.json().catch(() => ({ ok: false, error: `${response.status} ${response.statusText}` }));
  if (!response.ok && answer.ok === undefined) answer.ok = false;
  return answer;
}

export class Session {
  constructor() {
    this.tab = null;
    this.queue = Promise.resolve();
  }

  async open() {
    const answer = await request('POST', '/api/tabs');
    if (!answer.ok) throw new Error(answer.error);
    this.tab = answer.tab;
    addEventListener('pagehide', () => request('POST', '/api/close', { tab: this.tab }));
    return answer;
  }

  // Plays `verb args...` after every event posted before it.
  post(verb, ...args) {
    const next = this.queue.then(() => request('POST', '/api/event', { tab: this.tab, verb, args: args.map(String) }));
    this.queue = next.catch(() => {});
    return next;
  }

  save() { return request('POST', '/api/save', { tab: this.tab }); }
  model() { return request('GET', '/api/model'); }
  commands() { return request('GET', '/api/commands'); }
  files() { return request('GET', '/api/files'); }
  journalUrl() { return `/api/journal?tab=${encodeURIComponent(this.tab)}`; }
}
