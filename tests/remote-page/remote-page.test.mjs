// The outside driver's own parts: its WebSocket client against a small server
// on the loopback, and the comparison of what the page posted with the files.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createServer } from 'node:net';
import { createHash } from 'node:crypto';
import { mkdtempSync, mkdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { WebSocketClient } from '../../tools/remote-page/websocket-client.mjs';
import { checkCaptureFiles, imageBytes, postedCaptures } from '../../tools/remote-page/capture-files.mjs';

// An unmasked server frame.
function frame(opcode, payload, fin = true) {
  let head;
  if (payload.length < 126) {
    head = Buffer.from([0, payload.length]);
  } else if (payload.length < 65536) {
    head = Buffer.alloc(4);
    head[1] = 126;
    head.writeUInt16BE(payload.length, 2);
  } else {
    head = Buffer.alloc(10);
    head[1] = 127;
    head.writeBigUInt64BE(BigInt(payload.length), 2);
  }
  head[0] = (fin ? 0x80 : 0) | opcode;
  return Buffer.concat([head, payload]);
}

// A server that accepts the upgrade, then writes `frames` (in pieces) and
// hands back every unmasked payload the client sends.
function serve(frames) {
  const received = [];
  const server = createServer((socket) => {
    let head = '';
    let pending = Buffer.alloc(0);
    socket.on('data', function onData(chunk) {
      if (head !== null) {
        head += chunk.toString('latin1');
        if (!head.includes('\r\n\r\n')) return;
        const key = /Sec-WebSocket-Key: (\S+)/.exec(head)[1];
        const accept = createHash('sha1').update(`${key}258EAFA5-E914-47DA-95CA-C5AB0DC85B11`).digest('base64');
        head = null;
        socket.write(`HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Accept: ${accept}\r\n\r\n`);
        const all = Buffer.concat(frames);
        for (let at = 0; at < all.length; at += 1000) socket.write(all.subarray(at, at + 1000));
        return;
      }
      pending = Buffer.concat([pending, chunk]);
      for (;;) {
        if (pending.length < 2) return;
        let length = pending[1] & 0x7f;
        let at = 2;
        if (length === 126) { length = pending.readUInt16BE(2); at = 4; }
        if (length === 127) { length = Number(pending.readBigUInt64BE(2)); at = 10; }
        if (pending.length < at + 4 + length) return;
        const mask = pending.subarray(at, at + 4);
        const payload = Buffer.from(pending.subarray(at + 4, at + 4 + length));
        for (let i = 0; i < payload.length; i += 1) payload[i] ^= mask[i % 4];
        received.push({ opcode: pending[0] & 0x0f, text: payload.toString('utf8') });
        pending = pending.subarray(at + 4 + length);
      }
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({ server, received })));
}

test('the client reads short, 16-bit, 64-bit and fragmented messages and answers pings', async () => {
  const big = 'x'.repeat(70000);
  const { server, received } = await serve([
    frame(0x1, Buffer.from('{"id":1}')),
    frame(0x9, Buffer.from('ping')),
    frame(0x1, Buffer.from('y'.repeat(300))),
    frame(0x1, Buffer.from(big)),
    frame(0x1, Buffer.from('홍길'), false),
    frame(0x0, Buffer.from('동')),
  ]);
  const client = await WebSocketClient.connect(`ws://127.0.0.1:${server.address().port}/devtools/page/1`);
  const messages = [];
  await new Promise((resolve) => {
    client.onmessage = (text) => {
      messages.push(text);
      if (messages.length === 4) resolve();
    };
  });
  client.send('{"id":2,"method":"Runtime.evaluate"}');
  client.send('z'.repeat(70000));
  await new Promise((resolve) => setTimeout(resolve, 100));
  client.close();
  server.close();
  assert.deepEqual(messages.map((m) => m.length), [8, 300, 70000, 3]);
  assert.equal(messages[3], '홍길동');
  assert.deepEqual(received.map((r) => [r.opcode, r.text.length]), [[0xa, 4], [0x1, 36], [0x1, 70000]]);
});

test('a capture posted as a string is found; AppExit and queries are not captures', () => {
  const capture = { callMode: 'imgSave', index: 1, image: 'data:image/png;base64,iVBORw0KGgo=', SavePath: 'A01\\2026-04-28',
    filename: '1.png', jsonfilename: '1.json', member_info: '{"name":"홍길동"}', poseWorldLandmarks2: '[]' };
  const posted = [JSON.stringify(JSON.stringify(capture)), JSON.stringify('AppExit'), JSON.stringify({ index: 2 })];
  assert.deepEqual(postedCaptures(posted), [capture]);
  assert.deepEqual([...imageBytes('DATA:IMAGE/PNG;BASE64,iVBORw0KGgo=')], [137, 80, 78, 71, 13, 10, 26, 10]);
});

test('the files must hold exactly what was posted', () => {
  const root = mkdtempSync(join(tmpdir(), 'velmoran-pose-'));
  try {
    const capture = { callMode: 'imgSave', index: 1, image: 'data:image/png;base64,iVBORw0KGgo=',
      SavePath: 'A01\\2026-04-28', filename: '1.png', jsonfilename: '1.json', member_info: '홍길동', poseWorldLandmarks2: '[]' };
    mkdirSync(join(root, 'A01', '2026-04-28'), { recursive: true });
    writeFileSync(join(root, 'A01', '2026-04-28', '1.png'), Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]));
    writeFileSync(join(root, 'A01', '2026-04-28', '1.json'), '[]');
    writeFileSync(join(root, 'A01', '2026-04-28', 'user.txt'), '홍길동 ');
    const verdicts = checkCaptureFiles([capture], root).map((check) => check.ok);
    assert.deepEqual(verdicts, [true, true, true, false]);
  } finally {
    rmSync(root, { recursive: true, force: true });
  }
});
