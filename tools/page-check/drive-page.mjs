// Drives the demo page in headless Chromium the way the shell would host it,
// and checks the whole conversation end to end:
//  - a stub window.chrome.webview records what the page posts, in the JSON
//    form the shell receives (JSON.stringify of the posted value);
//  - each posted message goes through the shell's real page bridge
//    (velmoran-replay on the simulated Windows, drive C: in a folder), and
//    every reply script the bridge runs is run in the page;
//  - a member is entered, four pictures are taken, one image is queried, one
//    image file is removed and all four are checked again, and the
//    full-screen button is pressed.
// It writes messages.jsonl, replay.txt, summary.json and screenshots to --out.
//
//   node drive-page.mjs --url URL --replay PATH --drive-c DIR --out DIR
//                       [--chromium PATH] [--flag=--some-switch ...]

import {
  appendFileSync, existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, unlinkSync, writeFileSync,
} from 'node:fs';
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { CdpPipe } from './cdp-pipe.mjs';
import { FILL_MEMBER_FORM } from '../remote-page/member-form.mjs';

function parseArguments(argv) {
  const options = { chromium: '/usr/bin/chromium', flags: [] };
  for (let i = 0; i < argv.length; i += 1) {
    const arg = argv[i];
    if (arg.startsWith('--flag=')) options.flags.push(arg.slice('--flag='.length));
    else if (['--url', '--replay', '--drive-c', '--out', '--chromium'].includes(arg) && i + 1 < argv.length) {
      options[arg.slice(2).replace('-c', 'C')] = argv[++i];
    } else throw new Error(`unknown argument ${arg}`);
  }
  for (const required of ['url', 'replay', 'driveC', 'out']) {
    if (!options[required]) throw new Error(`missing --${required === 'driveC' ? 'drive-c' : required}`);
  }
  return options;
}

// What the shell's browser gives every document before the page's scripts run.
const WEBVIEW_STUB = `
  window.chrome = window.chrome || {};
  window.__posted = [];
  window.chrome.webview = {
    postMessage(message) { window.__posted.push(JSON.stringify(message)); },
    addEventListener() {}, removeEventListener() {},
  };`;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function main() {
  const options = parseArguments(process.argv.slice(2));
  mkdirSync(options.out, { recursive: true });
  const messagesFile = join(options.out, 'messages.jsonl');
  const replayFile = join(options.out, 'replay.txt');
  writeFileSync(messagesFile, '');
  writeFileSync(replayFile, '');
  const problems = [];
  const expect = (ok, text) => {
    if (!ok) problems.push(text);
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
  };

  // The shell's page bridge, one effect per output line.
  const replay = spawn('stdbuf', ['-oL', options.replay, '--drive-c', options.driveC], {
    stdio: ['pipe', 'pipe', 'inherit'],
  });
  const effects = [];
  const scripts = [];
  createInterface({ input: replay.stdout }).on('line', (line) => {
    effects.push(line);
    appendFileSync(replayFile, `${line}\n`);
    if (line.startsWith('script ')) scripts.push(line.slice('script '.length));
  });

  const userDataDir = mkdtempSync(join(tmpdir(), 'velmoran-chromium-'));
  const flags = [
    '--headless', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', `--user-data-dir=${userDataDir}`,
    '--use-fake-device-for-media-stream', '--use-fake-ui-for-media-stream', '--window-size=1366,900',
    '--lang=ko-KR',
    ...(process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : []),
    ...options.flags,
  ];
  const browser = new CdpPipe(options.chromium, flags);
  const pageErrors = [];
  const consoleLines = [];
  let pump = null;
  try {
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const page = (method, params = {}) => browser.send(method, params, sessionId);
    browser.listeners.add((message) => {
      if (message.sessionId !== sessionId) return;
      if (message.method === 'Runtime.exceptionThrown') {
        pageErrors.push(message.params.exceptionDetails.exception?.description || message.params.exceptionDetails.text);
      }
      if (message.method === 'Runtime.consoleAPICalled') {
        consoleLines.push(`${message.params.type}: ${message.params.args.map((a) => a.value ?? a.description).join(' ')}`);
      }
    });
    await page('Page.enable');
    await page('Runtime.enable');
    await page('Emulation.setDeviceMetricsOverride', { width: 1366, height: 900, deviceScaleFactor: 1, mobile: false });
    await page('Page.addScriptToEvaluateOnNewDocument', { source: WEBVIEW_STUB });

    const evaluate = async (expression) => {
      const answer = await page('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
      if (answer.exceptionDetails) {
        throw new Error(`${expression}: ${answer.exceptionDetails.exception?.description || answer.exceptionDetails.text}`);
      }
      return answer.result.value;
    };
    const waitFor = async (expression, timeoutMs, what) => {
      const until = Date.now() + timeoutMs;
      while (Date.now() < until) {
        if (await evaluate(expression)) return true;
        await sleep(200);
      }
      throw new Error(`timed out waiting for ${what}`);
    };
    const screenshot = async (name) => {
      const { data } = await page('Page.captureScreenshot', { format: 'png' });
      writeFileSync(join(options.out, name), Buffer.from(data, 'base64'));
      console.log(`     screenshot ${join(options.out, name)}`);
    };

    // Posted messages go to the bridge; its reply scripts come back to the page.
    let pumping = false;
    pump = setInterval(async () => {
      if (pumping) return;
      pumping = true;
      try {
        const posted = await evaluate('(window.__posted || []).splice(0)');
        for (const text of posted) {
          appendFileSync(messagesFile, `${text}\n`);
          replay.stdin.write(`${text}\n`);
        }
        while (scripts.length > 0) await evaluate(scripts.shift());
      } catch {
        // the page is navigating or closing; the next round tries again
      } finally {
        pumping = false;
      }
    }, 100);

    const loaded = browser.waitForEvent('Page.loadEventFired', sessionId);
    await page('Page.navigate', { url: options.url });
    await loaded;

    await waitFor(`document.querySelector('#status-camera').dataset.state !== 'busy'`, 20000, 'the camera');
    const cameraState = await evaluate(`document.querySelector('#status-camera').dataset.state`);
    expect(cameraState === 'ok', `camera preview runs (${cameraState})`);
    await waitFor(`document.querySelector('#status-pose').dataset.state !== 'busy'`, 120000, 'the pose model');
    const pose = await evaluate(`({ state: document.querySelector('#status-pose').dataset.state,
                                    reason: document.querySelector('#status-pose').title })`);
    console.log(`     pose model: ${pose.state}${pose.reason ? ` (${pose.reason})` : ''}`);
    await sleep(700);
    await screenshot('page-start.png');

    await evaluate(FILL_MEMBER_FORM);
    for (let index = 1; index <= 4; index += 1) {
      await waitFor(`!document.querySelector('#capture').disabled`, 20000, `the capture button for ${index}`);
      await evaluate(`document.querySelector('#capture').click()`);
      await waitFor(`document.querySelector('.slot[data-index="${index}"] .badge').classList.contains('badge-saved')`,
        20000, `image ${index} to be stored`);
      expect(true, `capture ${index}: posted, stored, img_send_indx_done(${index},1) shown`);
    }
    await waitFor(`document.querySelector('#result').dataset.tone === 'ok'`, 20000, 'img_send_all_done');
    expect(true, 'after four captures: sendAllDataCall answered by img_send_all_done, shown on the page');
    await sleep(500);
    await screenshot('page-captured.png');

    const queryReplies = () => effects.filter((line) => line === 'script img_send_indx_done(2,1)').length;
    const repliesBefore = queryReplies();
    const shownBefore = await evaluate(`document.querySelectorAll('#log li[data-direction="in"]').length`);
    await evaluate(`document.querySelector('.slot[data-index="2"] [data-action="check"]').click()`);
    await waitFor(`document.querySelectorAll('#log li[data-direction="in"]').length > ${shownBefore}`, 10000, 'the image query reply');
    expect(queryReplies() === repliesBefore + 1, 'image query for 2 answered by img_send_indx_done(2,1), shown in the log');

    const folder = join(options.driveC, 'velmoran_pose', 'A01');
    const dates = existsSync(folder) ? readdirSync(folder) : [];
    expect(dates.length === 1, `one capture folder C:\\velmoran_pose\\A01\\<date> (${dates.join(', ')})`);
    const captureFolder = join(folder, dates[0] || 'missing');
    for (const index of [1, 2, 3, 4]) {
      const png = join(captureFolder, `${index}.png`);
      const ok = existsSync(png) && readFileSync(png).subarray(0, 8).equals(Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]));
      expect(ok, `${index}.png is a PNG image`);
      const landmarks = existsSync(join(captureFolder, `${index}.json`)) ? readFileSync(join(captureFolder, `${index}.json`), 'utf8') : null;
      expect(landmarks !== null && Array.isArray(JSON.parse(landmarks)), `${index}.json holds a landmark list (${landmarks === null ? 'none' : JSON.parse(landmarks).length} points)`);
    }
    const member = existsSync(join(captureFolder, 'user.txt')) ? JSON.parse(readFileSync(join(captureFolder, 'user.txt'), 'utf8')) : {};
    expect(member.name === '홍길동' && member.sex === 'M', `user.txt holds the member (${JSON.stringify(member)})`);

    // Image 3 disappears behind the page's back: the check must say so.
    unlinkSync(join(captureFolder, '3.png'));
    await evaluate(`document.querySelector('#check-all').click()`);
    await waitFor(`document.querySelector('#result').dataset.tone === 'warn'`, 10000, 'img_send_all_no');
    const missingShown = await evaluate(`document.querySelector('.slot[data-index="3"] .badge').classList.contains('badge-missing')`);
    expect(missingShown && effects.includes('script img_send_all_no("3,")'),
      'with 3.png removed: img_send_all_no("3,") marks image 3 missing on the page');
    await sleep(400);
    await screenshot('page-missing.png');

    await evaluate(`document.querySelector('#fullscreen').click()`);
    await waitFor(`[...document.querySelectorAll('#log li')].some((li) => li.textContent.includes('AppExit'))`, 5000, 'AppExit');
    const until = Date.now() + 5000;
    while (!effects.includes('fullscreen') && Date.now() < until) await sleep(100);
    expect(effects.includes('fullscreen'), 'the full-screen button posts AppExit and the shell toggles full screen');

    const state = await evaluate(`({
      slots: [...document.querySelectorAll('.slot')].map((slot) => slot.dataset.index + ' ' + slot.querySelector('.badge').textContent + ' | ' + slot.querySelector('.slot-detail').textContent),
      result: document.querySelector('#result').innerText,
      savePath: document.querySelector('#save-path').textContent,
      log: [...document.querySelectorAll('#log li')].map((li) => li.innerText.replace(/\\s+/g, ' ')),
    })`);
    expect(pageErrors.length === 0, `no script errors on the page${pageErrors.length ? `: ${pageErrors.join(' | ')}` : ''}`);
    writeFileSync(join(options.out, 'summary.json'),
      `${JSON.stringify({ pose, cameraState, state, pageErrors, consoleLines, problems }, null, 2)}\n`);
  } catch (error) {
    problems.push(error.message);
    console.log(`FAIL ${error.message}`);
  } finally {
    if (pump) clearInterval(pump);
    await browser.close();
    replay.stdin.end();
    await new Promise((resolve) => replay.on('exit', resolve));
    rmSync(userDataDir, { recursive: true, force: true });
  }
  console.log(problems.length === 0 ? 'drive-page: passed' : `drive-page: ${problems.length} problem(s)`);
  process.exitCode = problems.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
