// The messages the page posts to the shell, built in one place so their shape
// cannot drift:
//  - a capture ("imgSave" for one image, "sendAllDataCall" to ask whether all
//    four are stored) is posted as a STRING holding the JSON text of an object
//    with ten keys; the shell decodes the string's content;
//  - the image query ("is image N stored?") is posted as an OBJECT;
//  - the full-screen switch is the plain string "AppExit".

export const VIEWS = Object.freeze([
  { index: 1, key: 'front', label: '정면', english: 'Front' },
  { index: 2, key: 'left', label: '좌측면', english: 'Left side' },
  { index: 3, key: 'right', label: '우측면', english: 'Right side' },
  { index: 4, key: 'back', label: '후면', english: 'Back' },
]);

export const APP_EXIT = 'AppExit';

// Characters Windows refuses in a folder name, and control characters.
const NOT_IN_FOLDER_NAMES = /[\\/:*?"<>|\u0000-\u001f\u007f]/g;
// Names Windows reserves for devices, whatever the extension.
const DEVICE_NAMES = /^(con|prn|aux|nul|com[1-9]|lpt[1-9])(\..*)?$/i;

// One folder level made from what a person typed: never a path separator, a
// drive, a parent reference or a name Windows would store differently.
export function folderName(text) {
  let name = String(text ?? '')
    .replace(NOT_IN_FOLDER_NAMES, ' ')
    .replace(/\s+/g, ' ')
    .trim()
    // Leading dots would read as a parent reference; trailing ones Windows drops.
    .replace(/^[. ]+/, '')
    .replace(/[. ]+$/, '');
  if (name.length > 60) name = name.slice(0, 60).replace(/[. ]+$/, '');
  if (name === '') return '';
  return DEVICE_NAMES.test(name) ? `_${name}` : name;
}

function twoDigits(n) {
  return String(n).padStart(2, '0');
}

// The date folder, in local time: captures of one day land together.
export function dateFolder(date) {
  return `${date.getFullYear()}-${twoDigits(date.getMonth() + 1)}-${twoDigits(date.getDate())}`;
}

// "<member>\<date>" below the shell's capture root.
export function savePath(memberKey, date) {
  const member = folderName(memberKey);
  if (member === '') throw new Error('member folder name is empty');
  return `${member}\\${dateFolder(date)}`;
}

function captureText(callMode, name, index, image, path, memberInfo, poseWorldLandmarks) {
  // Key order as the shell reads them; every value is text except the two numbers.
  return JSON.stringify({
    callMode,
    name,
    index,
    image,
    length: image.length,
    SavePath: path,
    filename: `${index}.png`,
    jsonfilename: `${index}.json`,
    member_info: memberInfo,
    poseWorldLandmarks2: poseWorldLandmarks,
  });
}

// One captured image with its pose: the shell writes user.txt, <index>.json
// and <index>.png into the capture folder and answers img_send_indx_done.
export function imageSaveMessage({ view, imageDataUrl, savePath: path, memberInfo, poseWorldLandmarks }) {
  return captureText('imgSave', view.key, view.index, imageDataUrl, path, memberInfo, poseWorldLandmarks);
}

// After the four captures: the shell checks 1.png to 4.png in the capture
// folder and answers img_send_all_done or img_send_all_no. It writes nothing
// for this message, so the image is left empty.
export function allImagesCheckMessage({ savePath: path, memberInfo }) {
  const last = VIEWS[VIEWS.length - 1];
  return captureText('sendAllDataCall', 'all', last.index, '', path, memberInfo, '[]');
}

// Asks whether image N is in the shell's latest capture folder.
export function imageQueryMessage(index) {
  return { image: '', name: 'query', index, length: 0 };
}

// The shell's missing list "1,3," as numbers.
export function parseMissingList(text) {
  return String(text ?? '')
    .split(',')
    .map((item) => Number.parseInt(item, 10))
    .filter((n) => Number.isInteger(n) && n >= 1 && n <= VIEWS.length);
}

// World landmarks (metres, origin between the hips) as the pose file's text;
// "[]" when no person was seen.
export function landmarksText(worldLandmarks) {
  if (!Array.isArray(worldLandmarks) || worldLandmarks.length === 0) return '[]';
  const round = (v) => (typeof v === 'number' && Number.isFinite(v) ? Math.round(v * 1e5) / 1e5 : null);
  return JSON.stringify(
    worldLandmarks.map((l) => ({ x: round(l.x), y: round(l.y), z: round(l.z), visibility: round(l.visibility) })),
  );
}
