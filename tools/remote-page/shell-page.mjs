// Drives the demo page inside the running velmoran.exe from outside, through
// the browser's remote debugging port (9999), as any outside tool would.
//
//   node tools/remote-page/shell-page.mjs COMMAND [options]
//
//   loaded                       waits until the page has loaded and the shell's bridge is there
//   mark                         marks the page as it is now; a page loaded again carries no mark
//   reloaded                     waits until a page without the mark has loaded (the shell's
//                                browser brought the page back) and the shell's bridge is there
//   captures --capture-root DIR  fills the member form, takes the four pictures (the page posts
//            [--out FILE]        them), waits for the shell's answers on the page, then checks the
//            [--count N]         files under DIR (the Unix path of C:\velmoran_pose\) against what
//                                the page posted, byte for byte; with --count below 4, only that
//                                many pictures, and no check of all four
//   full-screen                  presses the page's full-screen button (it posts "AppExit") and
//                                waits until the page's viewport has changed size
//   viewport                     prints the page's viewport and the screen's size
//   picture --out FILE           writes the page's own rendering of its viewport (PNG), as Chromium
//                                draws it with nothing over it; its last line names the viewport and
//                                the areas that move by themselves (camera preview, pose overlay)
//
// Options: --port N (default 9999), --timeout SECONDS (the page's first
// appearance, default 90). Prints one line per step ("ok ..." or "FAIL ...")
// and, for viewport, full-screen and picture, a last line of JSON. Exits 1 when a step failed.

import { writeFileSync } from 'node:fs';
import { DevToolsPage } from './devtools-page.mjs';
import { FILL_MEMBER_FORM } from './member-form.mjs';
import { checkCaptureFiles, postedCaptures } from './capture-files.mjs';

const PAGE_ADDRESS = '/www/corvale2/';

function parseArguments(argv) {
  const options = { command: argv[0], port: 9999, timeout: 90, captureRoot: '', out: '', count: 4 };
  for (let i = 1; i < argv.length; i += 1) {
    const name = argv[i];
    const value = argv[i + 1];
    if (value === undefined) throw new Error(`${name} needs a value`);
    if (name === '--port') options.port = Number(value);
    else if (name === '--timeout') options.timeout = Number(value);
    else if (name === '--capture-root') options.captureRoot = value;
    else if (name === '--out') options.out = value;
    else if (name === '--count') options.count = Number(value);
    else throw new Error(`unknown option ${name}`);
    i += 1;
  }
  return options;
}

const problems = [];
function report(ok, text) {
  if (!ok) problems.push(text);
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
}

const VIEWPORT = `({ width: window.innerWidth, height: window.innerHeight,
                     screenWidth: screen.width, screenHeight: screen.height })`;

const MARK = '__velmoranMarked';

async function waitLoaded(page, { unmarked = false } = {}) {
  const fresh = unmarked ? ` && !window.${MARK}` : '';
  await page.waitFor(`document.readyState === 'complete' && document.querySelector('#status-host') !== null${fresh}`,
    unmarked ? 90000 : 30000, unmarked ? 'the page to load again' : 'the page to load');
  const host = await page.evaluate(`document.querySelector('#status-host').dataset.state`);
  report(host === 'ok', `page loaded from ${await page.evaluate('location.href')}; the shell's bridge is ${
    host === 'ok' ? 'there (window.chrome.webview)' : 'missing'}`);
}

// Every message the page posts from now on, as the JSON text the shell receives.
const RECORD_POSTS = `(() => {
  const webview = window.chrome && window.chrome.webview;
  if (!webview) return false;
  if (!window.__velmoranPosted) {
    window.__velmoranPosted = [];
    const post = webview.postMessage;
    webview.postMessage = function recordedPost(message) {
      window.__velmoranPosted.push(JSON.stringify(message));
      return post.call(this, message);
    };
  }
  return true;
})()`;

const FILL_MEMBER = `(() => {
  document.querySelector('#new-member').click();
  ${FILL_MEMBER_FORM};
})()`;

const PAGE_STATE = `({
  slots: [...document.querySelectorAll('.slot')].map((slot) => ({
    index: Number(slot.dataset.index),
    badge: slot.querySelector('.badge').className.replace('badge ', ''),
    text: slot.querySelector('.badge').textContent,
  })),
  banner: document.querySelector('#result').hidden ? null : {
    tone: document.querySelector('#result').dataset.tone,
    title: document.querySelector('#result strong').textContent,
    text: document.querySelector('#result span').textContent,
  },
  savePath: document.querySelector('#save-path').textContent,
  replies: [...document.querySelectorAll('#log li[data-direction="in"]')].map((li) => li.innerText.replace(/\\s+/g, ' ')),
})`;

async function captures(page, options) {
  if (!options.captureRoot) throw new Error('captures needs --capture-root');
  await waitLoaded(page);
  report(await page.evaluate(RECORD_POSTS), 'what the page posts is recorded');
  await page.waitFor(`document.querySelector('#status-camera').dataset.state !== 'busy'`, 30000, 'the camera');
  const camera = await page.evaluate(`document.querySelector('#status-camera').dataset.state`);
  report(camera === 'ok', `camera preview runs (${camera}; without a camera set VELMORAN_FAKE_CAMERA=1)`);
  await page.waitFor(`document.querySelector('#status-pose').dataset.state !== 'busy'`, 90000, 'the pose model');
  const pose = await page.evaluate(`document.querySelector('#status-pose').dataset.state`);
  console.log(`     pose model: ${pose === 'ok' ? 'ready' : 'not available, captures carry empty landmark lists'}`);
  await page.evaluate(FILL_MEMBER);
  const all = options.count >= 4;
  for (let index = 1; index <= Math.min(options.count, 4); index += 1) {
    await page.waitFor(`!document.querySelector('#capture').disabled`, 30000, `the capture button for ${index}`);
    await page.evaluate(`document.querySelector('#capture').click()`);
    await page.waitFor(`document.querySelector('.slot[data-index="${index}"] .badge').classList.contains('badge-saved')`,
      30000, `the shell's img_send_indx_done(${index},1) on the page`);
    report(true, `capture ${index} posted; the page shows img_send_indx_done(${index},1): stored`);
  }
  if (all) {
    await page.waitFor(`document.querySelector('#result').dataset.tone === 'ok'`, 30000,
      `the shell's img_send_all_done on the page`);
  }
  const state = await page.evaluate(PAGE_STATE);
  if (all) {
    report(state.slots.every((slot) => slot.badge === 'badge-saved'),
      `slot badges: ${state.slots.map((slot) => `${slot.index} ${slot.text}`).join(', ')}`);
    report(state.banner !== null && state.banner.tone === 'ok',
      `banner after sendAllDataCall: ${state.banner ? `${state.banner.title} (${state.banner.text})` : 'none'}`);
  }

  const posted = await page.evaluate('window.__velmoranPosted.slice()');
  const sent = postedCaptures(posted);
  report(sent.filter((capture) => capture.callMode === 'imgSave').length === Math.min(options.count, 4)
    && (!all || sent.some((capture) => capture.callMode === 'sendAllDataCall')),
  `the page posted ${sent.map((capture) => capture.callMode).join(', ')}`);
  for (const check of checkCaptureFiles(sent, options.captureRoot)) report(check.ok, check.text);
  if (options.out) {
    const summary = { state, posted: sent.map(({ image, ...rest }) => ({ ...rest, imageLength: image.length })), problems };
    writeFileSync(options.out, `${JSON.stringify(summary, null, 2)}\n`);
  }
}

async function fullScreen(page) {
  await waitLoaded(page);
  const before = await page.evaluate(VIEWPORT);
  await page.evaluate(`document.querySelector('#fullscreen').click()`);
  await page.waitFor(`window.innerWidth !== ${before.width} || window.innerHeight !== ${before.height}`, 15000,
    'the viewport to change after AppExit');
  // The window manager may size the window in more than one step; let it settle.
  await new Promise((resolve) => setTimeout(resolve, 1500));
  const after = await page.evaluate(VIEWPORT);
  report(true, `AppExit: viewport ${before.width}x${before.height} became ${after.width}x${after.height} `
    + `(screen ${after.screenWidth}x${after.screenHeight})`);
  console.log(JSON.stringify({ before, after }));
}

// Elements whose pixels change between two pictures taken a moment apart.
const MOVING = `[...document.querySelectorAll('video, canvas')].map((element) => {
  const box = element.getBoundingClientRect();
  const left = Math.floor(box.left);
  const top = Math.floor(box.top);
  return [left, top, Math.ceil(box.right) - left, Math.ceil(box.bottom) - top];
}).filter(([, , width, height]) => width > 0 && height > 0)`;

async function picture(page, options) {
  if (!options.out) throw new Error('picture needs --out');
  await waitLoaded(page);
  const { data } = await page.send('Page.captureScreenshot', { format: 'png' });
  writeFileSync(options.out, Buffer.from(data, 'base64'));
  const viewport = await page.evaluate(VIEWPORT);
  console.log(JSON.stringify({ width: viewport.width, height: viewport.height, moving: await page.evaluate(MOVING) }));
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const commands = {
    loaded: async (page) => {
      await waitLoaded(page);
      // A picture of the page is worth more once the camera has answered.
      const camera = await page.waitFor(`document.querySelector('#status-camera').dataset.state !== 'busy'
        && document.querySelector('#status-camera').dataset.state`, 30000, 'the camera');
      console.log(`     camera: ${camera}`);
    },
    mark: async (page) => {
      await waitLoaded(page);
      await page.evaluate(`window.${MARK} = true`);
      report(true, 'the page is marked');
    },
    reloaded: (page) => waitLoaded(page, { unmarked: true }),
    captures: (page) => captures(page, options),
    'full-screen': (page) => fullScreen(page),
    viewport: async (page) => console.log(JSON.stringify(await page.evaluate(VIEWPORT))),
    picture: (page) => picture(page, options),
  };
  const command = commands[options.command];
  if (!command) throw new Error(`unknown command ${options.command}; one of ${Object.keys(commands).join(', ')}`);
  const page = await DevToolsPage.attach({ port: options.port, addressPart: PAGE_ADDRESS,
    timeoutMs: options.timeout * 1000 });
  try {
    await command(page);
  } finally {
    page.close();
  }
}

main().then(
  () => {
    process.exitCode = problems.length === 0 ? 0 : 1;
  },
  (error) => {
    console.log(`FAIL ${error.message}`);
    process.exitCode = 1;
  },
);
