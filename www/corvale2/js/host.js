// The conversation with the desktop shell that hosts this page. The shell's
// browser gives the page window.chrome.webview; posting goes through it, and
// the shell answers by running one of the three global functions below.
// Opened in an ordinary browser the page still works, but nothing is stored.

import { parseMissingList } from './messages.js';

const webview = window.chrome && window.chrome.webview;
export const hostAvailable = Boolean(webview && typeof webview.postMessage === 'function');

const replies = new EventTarget();

// Posts one message as it is (a string stays a string, an object an object).
export function post(message) {
  if (!hostAvailable) return false;
  webview.postMessage(message);
  return true;
}

// kind: 'image' ({index, found}) or 'all' ({missing: [numbers], complete}).
export function onReply(kind, handler) {
  replies.addEventListener(kind, (event) => handler(event.detail));
}

function announce(kind, detail) {
  replies.dispatchEvent(new CustomEvent(kind, { detail }));
}

// img_send_indx_done(index, found): image <index>.png is (1) or is not (0) in
// the capture folder.
window.img_send_indx_done = function img_send_indx_done(index, found) {
  announce('image', { index: Number(index), found: Number(found) === 1 });
};

// img_send_all_done(""): all four images are stored.
window.img_send_all_done = function img_send_all_done(missing) {
  announce('all', { missing: parseMissingList(missing), complete: true });
};

// img_send_all_no("1,3,"): the listed images are missing.
window.img_send_all_no = function img_send_all_no(missing) {
  announce('all', { missing: parseMissingList(missing), complete: false });
};
