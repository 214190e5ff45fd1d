// What the page posted, set against what the shell wrote: each "imgSave"
// capture must have left its PNG (the posted base64 decoded, byte for byte),
// its pose file and user.txt (the posted texts, UTF-8) in its capture folder.

import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';

const PNG_PREFIX = /data:image\/png;base64,/gi;

// The capture messages among posted JSON texts: a capture is posted as a
// string that holds the JSON text of an object with a callMode.
export function postedCaptures(postedTexts) {
  const captures = [];
  for (const text of postedTexts) {
    try {
      const posted = JSON.parse(text);
      if (typeof posted !== 'string') continue;
      const capture = JSON.parse(posted);
      if (capture && typeof capture === 'object' && typeof capture.callMode === 'string') captures.push(capture);
    } catch {
      // AppExit and other strings that hold no JSON are no captures.
    }
  }
  return captures;
}

// The bytes the shell stores for a posted image: the PNG data-URL prefix
// removed wherever it stands, the rest decoded as standard base64.
export function imageBytes(image) {
  return Buffer.from(String(image).replace(PNG_PREFIX, ''), 'base64');
}

// The Unix path of a file in a capture folder: DIR is C:\velmoran_pose\ as
// seen from Unix, SavePath uses backslashes between its levels.
export function captureFilePath(captureRoot, savePath, fileName) {
  return join(captureRoot, ...String(savePath).split('\\').filter(Boolean), fileName);
}

export function checkCaptureFiles(captures, captureRoot) {
  const checks = [];
  const fileIs = (path, expected, what) => {
    const shown = path.slice(captureRoot.length).replaceAll('/', '\\');
    if (!existsSync(path)) {
      checks.push({ ok: false, text: `${what}: C:\\velmoran_pose${shown} is missing` });
      return;
    }
    const actual = readFileSync(path);
    checks.push({
      ok: actual.equals(expected),
      text: `${what}: C:\\velmoran_pose${shown} (${actual.length} bytes) ${
        actual.equals(expected) ? 'holds exactly what the page posted' : `differs from what the page posted (${expected.length} bytes)`}`,
    });
  };
  for (const capture of captures.filter((c) => c.callMode === 'imgSave')) {
    const png = imageBytes(capture.image);
    const isPng = png.subarray(0, 8).equals(Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]));
    checks.push({ ok: isPng, text: `image ${capture.index}: the page posted a PNG (${png.length} bytes)` });
    fileIs(captureFilePath(captureRoot, capture.SavePath, capture.filename), png, `image ${capture.index}`);
    fileIs(captureFilePath(captureRoot, capture.SavePath, capture.jsonfilename),
      Buffer.from(String(capture.poseWorldLandmarks2), 'utf8'), `pose ${capture.index}`);
  }
  const last = captures.filter((c) => c.callMode === 'imgSave').at(-1);
  if (last) {
    fileIs(captureFilePath(captureRoot, last.SavePath, 'user.txt'), Buffer.from(String(last.member_info), 'utf8'),
      'member');
  }
  return checks;
}
