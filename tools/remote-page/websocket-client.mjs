// The little of a WebSocket client (RFC 6455) that the DevTools protocol
// needs: one connection to a ws:// address on this machine, text messages
// both ways, pings answered. Node's own WebSocket is still behind a switch in
// Node 20 and absent before it, so the tools carry this one.

import { createConnection } from 'node:net';
import { createHash, randomBytes } from 'node:crypto';

const GUID = '258EAFA5-E914-47DA-95CA-C5AB0DC85B11';
const TEXT = 0x1;
const CLOSE = 0x8;
const PING = 0x9;
const PONG = 0xa;

export class WebSocketClient {
  // Resolves once the server has accepted the upgrade.
  static connect(address) {
    const url = new URL(address);
    const key = randomBytes(16).toString('base64');
    const socket = createConnection({ host: url.hostname, port: Number(url.port || 80) });
    return new Promise((resolve, reject) => {
      let head = Buffer.alloc(0);
      const onData = (chunk) => {
        head = Buffer.concat([head, chunk]);
        const end = head.indexOf('\r\n\r\n');
        if (end < 0) return;
        socket.off('data', onData);
        const lines = head.subarray(0, end).toString('latin1').split('\r\n');
        const accept = createHash('sha1').update(key + GUID).digest('base64');
        const accepted = lines.some((line) => line.toLowerCase() === `sec-websocket-accept: ${accept.toLowerCase()}`);
        if (!/^HTTP\/1\.1 101/.test(lines[0]) || !accepted) {
          socket.destroy();
          reject(new Error(`${address} refused the WebSocket upgrade: ${lines[0]}`));
          return;
        }
        resolve(new WebSocketClient(socket, head.subarray(end + 4)));
      };
      socket.on('data', onData);
      socket.once('error', reject);
      socket.write(`GET ${url.pathname}${url.search} HTTP/1.1\r\nHost: ${url.host}\r\nUpgrade: websocket\r\n`
        + `Connection: Upgrade\r\nSec-WebSocket-Key: ${key}\r\nSec-WebSocket-Version: 13\r\n\r\n`);
    });
  }

  constructor(socket, rest) {
    this.socket = socket;
    this.buffer = Buffer.alloc(0);
    this.parts = [];
    this.onmessage = () => {};
    this.onclose = () => {};
    socket.on('data', (chunk) => this.receive(chunk));
    socket.on('close', () => this.onclose());
    socket.on('error', () => socket.destroy());
    // What came with the upgrade's answer is read once the caller has had
    // its turn to set onmessage.
    if (rest.length > 0) setImmediate(() => this.receive(rest));
  }

  receive(chunk) {
    this.buffer = Buffer.concat([this.buffer, chunk]);
    for (;;) {
      if (this.buffer.length < 2) return;
      const fin = (this.buffer[0] & 0x80) !== 0;
      const opcode = this.buffer[0] & 0x0f;
      const masked = (this.buffer[1] & 0x80) !== 0;
      let length = this.buffer[1] & 0x7f;
      let at = 2;
      if (length === 126) {
        if (this.buffer.length < 4) return;
        length = this.buffer.readUInt16BE(2);
        at = 4;
      } else if (length === 127) {
        if (this.buffer.length < 10) return;
        length = Number(this.buffer.readBigUInt64BE(2));
        at = 10;
      }
      const mask = masked ? this.buffer.subarray(at, at + 4) : null;
      if (masked) at += 4;
      if (this.buffer.length < at + length) return;
      const payload = Buffer.from(this.buffer.subarray(at, at + length));
      this.buffer = this.buffer.subarray(at + length);
      if (mask) for (let i = 0; i < payload.length; i += 1) payload[i] ^= mask[i % 4];
      if (opcode === PING) this.sendFrame(PONG, payload);
      else if (opcode === CLOSE) this.socket.end();
      else if (opcode === TEXT || opcode === 0x0) {
        this.parts.push(payload);
        if (fin) {
          const text = Buffer.concat(this.parts).toString('utf8');
          this.parts = [];
          this.onmessage(text);
        }
      }
    }
  }

  // A client's frames are always masked.
  sendFrame(opcode, payload) {
    const mask = randomBytes(4);
    let header;
    if (payload.length < 126) {
      header = Buffer.from([0x80 | opcode, 0x80 | payload.length]);
    } else if (payload.length < 65536) {
      header = Buffer.alloc(4);
      header[1] = 0x80 | 126;
      header.writeUInt16BE(payload.length, 2);
    } else {
      header = Buffer.alloc(10);
      header[1] = 0x80 | 127;
      header.writeBigUInt64BE(BigInt(payload.length), 2);
    }
    header[0] = 0x80 | opcode;
    const masked = Buffer.from(payload);
    for (let i = 0; i < masked.length; i += 1) masked[i] ^= mask[i % 4];
    this.socket.write(Buffer.concat([header, mask, masked]));
  }

  send(text) {
    this.sendFrame(TEXT, Buffer.from(text, 'utf8'));
  }

  close() {
    if (this.socket.destroyed) return;
    this.sendFrame(CLOSE, Buffer.alloc(0));
    this.socket.end();
  }
}
