// A minimal DevTools protocol client over Chromium's --remote-debugging-pipe:
// Chromium reads commands on its descriptor 3 and writes answers and events on
// descriptor 4, each message one JSON text ended by a NUL byte. No WebSocket
// library is needed, and no port is opened.

import { spawn } from 'node:child_process';

export class CdpPipe {
  constructor(executable, args) {
    this.process = spawn(executable, [...args, '--remote-debugging-pipe'], {
      stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'],
    });
    this.stderr = '';
    this.process.stderr.on('data', (chunk) => {
      this.stderr = (this.stderr + chunk.toString()).slice(-20000);
    });
    this.toBrowser = this.process.stdio[3];
    this.fromBrowser = this.process.stdio[4];
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
    this.buffer = Buffer.alloc(0);
    this.exited = new Promise((resolve) => this.process.on('exit', (code, signal) => resolve({ code, signal })));
    this.fromBrowser.on('data', (chunk) => this.receive(chunk));
    this.exited.then(() => {
      for (const { reject } of this.pending.values()) reject(new Error(`browser ended\n${this.stderr}`));
      this.pending.clear();
    });
  }

  receive(chunk) {
    this.buffer = Buffer.concat([this.buffer, chunk]);
    let end;
    while ((end = this.buffer.indexOf(0)) >= 0) {
      const message = JSON.parse(this.buffer.subarray(0, end).toString('utf8'));
      this.buffer = this.buffer.subarray(end + 1);
      if (message.id !== undefined && this.pending.has(message.id)) {
        const { resolve, reject, method } = this.pending.get(message.id);
        this.pending.delete(message.id);
        if (message.error) reject(new Error(`${method}: ${message.error.message}`));
        else resolve(message.result);
      } else {
        for (const listener of this.listeners) listener(message);
      }
    }
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.toBrowser.write(`${JSON.stringify(message)}\0`);
    });
  }

  // Resolves with the first event of that name (in that session) that passes the test.
  waitForEvent(method, sessionId, test = () => true, timeoutMs = 30000) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.listeners.delete(listener);
        reject(new Error(`no ${method} within ${timeoutMs} ms`));
      }, timeoutMs);
      const listener = (message) => {
        if (message.method !== method || message.sessionId !== sessionId || !test(message.params)) return;
        clearTimeout(timer);
        this.listeners.delete(listener);
        resolve(message.params);
      };
      this.listeners.add(listener);
    });
  }

  async close() {
    try {
      await Promise.race([this.send('Browser.close'), new Promise((r) => setTimeout(r, 3000))]);
    } catch {
      // already gone
    }
    const ended = await Promise.race([this.exited, new Promise((r) => setTimeout(() => r(null), 5000))]);
    if (ended === null) {
      this.process.kill('SIGKILL');
      await this.exited;
    }
  }
}
