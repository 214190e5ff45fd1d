// The demo page's messages have the shapes the shell's page bridge decodes:
// captures as a string holding an object's JSON text, the image query as an
// object, and folder names that stay one level below the capture root.
//
//   node --test tests/www/

import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  APP_EXIT,
  VIEWS,
  allImagesCheckMessage,
  folderName,
  imageQueryMessage,
  imageSaveMessage,
  landmarksText,
  parseMissingList,
  savePath,
} from '../../www/corvale2/js/messages.js';

const CAPTURE_KEYS = ['callMode', 'name', 'index', 'image', 'length', 'SavePath', 'filename', 'jsonfilename',
  'member_info', 'poseWorldLandmarks2'];

// What the shell receives: the JSON form of the posted value.
const asReceived = (posted) => JSON.stringify(posted);

test('a folder name keeps ordinary names and Korean text', () => {
  assert.equal(folderName('A01'), 'A01');
  assert.equal(folderName('  홍길동  '), '홍길동');
});

test('a folder name never holds a separator, a drive, a parent reference or a trailing dot', () => {
  for (const [typed, folder] of [
    ['..\\..\\Windows', 'Windows'],
    ['../etc', 'etc'],
    ['C:\\x', 'C x'],
    ['a*b?c"d<e>f|g', 'a b c d e f g'],
    ['name.', 'name'],
    ['...', ''],
    ['  ', ''],
    ['con', '_con'],
    ['LPT1.txt', '_LPT1.txt'],
  ]) {
    assert.equal(folderName(typed), folder, typed);
  }
  assert.equal(folderName('x'.repeat(100)).length, 60);
});

test('the save path is member, backslash, local date', () => {
  assert.equal(savePath('A01', new Date(2026, 3, 28, 23, 59)), 'A01\\2026-04-28');
  assert.throws(() => savePath('...', new Date()));
});

test('an image save is posted as a string holding the ten keys in order', () => {
  const posted = imageSaveMessage({
    view: VIEWS[2],
    imageDataUrl: 'data:image/png;base64,iVBORw0KGgo=',
    savePath: 'A01\\2026-04-28',
    memberInfo: '{"name":"홍길동"}',
    poseWorldLandmarks: '[]',
  });
  assert.equal(typeof posted, 'string');
  const received = JSON.parse(asReceived(posted));
  assert.equal(typeof received, 'string');
  const capture = JSON.parse(received);
  assert.deepEqual(Object.keys(capture), CAPTURE_KEYS);
  assert.equal(capture.callMode, 'imgSave');
  assert.equal(capture.index, 3);
  assert.equal(capture.length, 'data:image/png;base64,iVBORw0KGgo='.length);
  assert.equal(capture.SavePath, 'A01\\2026-04-28');
  assert.equal(capture.filename, '3.png');
  assert.equal(capture.jsonfilename, '3.json');
  assert.equal(capture.member_info, '{"name":"홍길동"}');
  assert.equal(capture.poseWorldLandmarks2, '[]');
});

test('the four-image check carries every key, an empty image and the last index', () => {
  const capture = JSON.parse(allImagesCheckMessage({ savePath: 'A01\\2026-04-28', memberInfo: '{}' }));
  assert.deepEqual(Object.keys(capture), CAPTURE_KEYS);
  assert.equal(capture.callMode, 'sendAllDataCall');
  assert.equal(capture.index, 4);
  assert.equal(capture.image, '');
  assert.equal(capture.length, 0);
  for (const key of CAPTURE_KEYS) assert.notEqual(capture[key], undefined, key);
});

test('the image query is posted as an object with image, name, index and length', () => {
  const received = JSON.parse(asReceived(imageQueryMessage(2)));
  assert.deepEqual(received, { image: '', name: 'query', index: 2, length: 0 });
});

test('the full-screen switch is the plain string AppExit', () => {
  assert.equal(asReceived(APP_EXIT), '"AppExit"');
});

test('the missing list of the shell becomes image numbers', () => {
  assert.deepEqual(parseMissingList('1,3,'), [1, 3]);
  assert.deepEqual(parseMissingList(''), []);
  assert.deepEqual(parseMissingList(undefined), []);
  assert.deepEqual(parseMissingList('2,4,9,x,'), [2, 4]);
});

test('landmarks become a JSON list, empty when no person was seen', () => {
  assert.equal(landmarksText(undefined), '[]');
  assert.equal(landmarksText([]), '[]');
  const text = landmarksText([{ x: 0.123456789, y: -0.5, z: 1e-9, visibility: 0.99999999 }]);
  assert.deepEqual(JSON.parse(text), [{ x: 0.12346, y: -0.5, z: 0, visibility: 1 }]);
});
