// A page of a running browser, reached the way any outside tool reaches it:
// the DevTools HTTP endpoint on the remote debugging port lists the pages,
// and one WebSocket per page carries the protocol.

import { WebSocketClient } from './websocket-client.mjs';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The page targets the browser lists on `port`, or [] while nothing answers there.
export async function listPages(port) {
  try {
    const answer = await fetch(`http://127.0.0.1:${port}/json/list`, { signal: AbortSignal.timeout(2000) });
    if (!answer.ok) return [];
    return (await answer.json()).filter((target) => target.type === 'page');
  } catch {
    return [];
  }
}

export class DevToolsPage {
  constructor(socket, target) {
    this.socket = socket;
    this.target = target;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
    socket.onmessage = (text) => this.receive(text);
    socket.onclose = () => {
      for (const { reject, method } of this.pending.values()) reject(new Error(`${method}: the page went away`));
      this.pending.clear();
    };
  }

  // Waits until the browser on `port` shows a page whose address contains
  // `addressPart`, then opens the page's protocol socket.
  static async attach({ port = 9999, addressPart, timeoutMs = 60000 }) {
    const until = Date.now() + timeoutMs;
    let seen = [];
    while (Date.now() < until) {
      seen = await listPages(port);
      const target = seen.find((page) => page.url.includes(addressPart) && page.webSocketDebuggerUrl);
      if (target) return new DevToolsPage(await WebSocketClient.connect(target.webSocketDebuggerUrl), target);
      await sleep(250);
    }
    const shown = seen.map((page) => page.url).join(', ') || 'nothing';
    throw new Error(`no page at ${addressPart} on port ${port} within ${timeoutMs / 1000} s (pages: ${shown})`);
  }

  receive(text) {
    const message = JSON.parse(text);
    if (message.id !== undefined && this.pending.has(message.id)) {
      const { resolve, reject, method } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) reject(new Error(`${method}: ${message.error.message}`));
      else resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.socket.send(JSON.stringify({ id, method, params }));
    });
  }

  // The value of a page expression (promises awaited); a thrown error rejects.
  async evaluate(expression) {
    const answer = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (answer.exceptionDetails) {
      const details = answer.exceptionDetails;
      throw new Error(`${expression.slice(0, 80)}: ${details.exception?.description || details.text}`);
    }
    return answer.result.value;
  }

  // Polls a page expression until it is truthy; its value, or an error naming `what`.
  async waitFor(expression, timeoutMs, what) {
    const until = Date.now() + timeoutMs;
    for (;;) {
      let value;
      try {
        value = await this.evaluate(expression);
      } catch {
        // The page may be between two documents; ask again.
      }
      if (value) return value;
      if (Date.now() >= until) throw new Error(`timed out after ${timeoutMs / 1000} s waiting for ${what}`);
      await sleep(200);
    }
  }

  close() {
    this.socket.close();
  }
}
