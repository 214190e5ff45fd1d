// The posture capture page: member form, camera preview with live pose
// overlay, four captures posted to the shell, and the shell's answers.

import { ActivityLog } from './activity-log.js';
import { Camera } from './camera.js';
import { CaptureSlots } from './capture-slots.js';
import { hostAvailable, onReply, post } from './host.js';
import {
  APP_EXIT,
  allImagesCheckMessage,
  imageQueryMessage,
  imageSaveMessage,
  landmarksText,
  savePath,
} from './messages.js';
import { MemberForm } from './member-form.js';
import { PoseDetector } from './pose-detector.js';

const CAPTURE_ROOT = 'C:\\velmoran_pose\\';
// Live overlay refresh; the captures themselves are detected on their own frame.
const OVERLAY_INTERVAL_MS = 150;

const $ = (selector) => document.querySelector(selector);

const log = new ActivityLog($('#log'));
const memberForm = new MemberForm($('#member-form'));
const camera = new Camera($('#preview'));
const detector = new PoseDetector();
const overlay = $('#overlay');
const result = $('#result');
const hint = $('#capture-hint');

// The capture session: one member on one day, fixed at the first capture.
let session = null;
let capturing = false;

const slots = new CaptureSlots($('#slots'), { onRetake: retake, onCheck: askStored, canAsk: hostAvailable });

function setChip(id, state, text, title = '') {
  const chip = $(id);
  chip.dataset.state = state;
  chip.querySelector('span').textContent = text;
  chip.title = title;
}

function showHint(text, tone = 'info') {
  hint.textContent = text;
  hint.dataset.tone = tone;
}

function showResult(tone, title, text) {
  result.hidden = false;
  result.dataset.tone = tone;
  result.querySelector('strong').textContent = title;
  result.querySelector('span').textContent = text;
}

function updateSessionView() {
  $('#save-path').textContent = session ? `${CAPTURE_ROOT}${session.savePath}\\` : '첫 촬영 때 정해집니다';
  const next = slots.next();
  const captureButton = $('#capture');
  captureButton.disabled = capturing || !camera.running || next === null;
  captureButton.querySelector('span').textContent = next ? `${next.view.index}. ${next.view.label} 촬영` : '촬영 완료';
  $('#check-all').disabled = !session || !hostAvailable;
}

// ---- camera ---------------------------------------------------------------

async function startCamera(deviceId) {
  setChip('#status-camera', 'busy', '카메라 연결 중');
  $('#camera-message').hidden = true;
  try {
    const label = await camera.start(deviceId);
    setChip('#status-camera', 'ok', '카메라 켜짐', label);
    overlay.width = camera.video.videoWidth;
    overlay.height = camera.video.videoHeight;
    await listCameras();
    log.add('note', `카메라 시작: ${label || '기본 카메라'} (${overlay.width}×${overlay.height})`);
  } catch (error) {
    setChip('#status-camera', 'bad', '카메라 없음', error.message);
    const message = $('#camera-message');
    message.hidden = false;
    message.querySelector('span').textContent = `카메라를 열 수 없습니다: ${error.message || error.name}`;
    log.add('note', `카메라 오류: ${error.message || error.name}`, 'warn');
  }
  updateSessionView();
}

async function listCameras() {
  const select = $('#camera-select');
  const current = camera.currentDeviceId();
  const cameras = await camera.cameras();
  select.replaceChildren(
    ...cameras.map((device, n) => {
      const option = document.createElement('option');
      option.value = device.deviceId;
      option.textContent = device.label || `카메라 ${n + 1}`;
      option.selected = device.deviceId === current;
      return option;
    }),
  );
  // A choice only when there is one to make.
  select.hidden = cameras.length < 2;
}

// ---- pose overlay -----------------------------------------------------------

function drawPose(landmarks) {
  const context = overlay.getContext('2d');
  context.clearRect(0, 0, overlay.width, overlay.height);
  if (!landmarks || landmarks.length === 0) return;
  const point = (l) => [l.x * overlay.width, l.y * overlay.height];
  const scale = Math.max(2, overlay.width / 400);
  context.lineWidth = scale * 1.5;
  context.strokeStyle = 'rgba(45, 212, 191, 0.9)';
  for (const [from, to] of detector.connections) {
    const a = landmarks[from];
    const b = landmarks[to];
    if (!a || !b || (a.visibility ?? 1) < 0.5 || (b.visibility ?? 1) < 0.5) continue;
    context.beginPath();
    context.moveTo(...point(a));
    context.lineTo(...point(b));
    context.stroke();
  }
  context.fillStyle = '#ffffff';
  for (const l of landmarks) {
    if ((l.visibility ?? 1) < 0.5) continue;
    const [x, y] = point(l);
    context.beginPath();
    context.arc(x, y, scale * 2, 0, Math.PI * 2);
    context.fill();
  }
}

async function overlayLoop() {
  if (detector.state === 'ready' && camera.running && !capturing) {
    const pose = await detector.detect(camera.video);
    if (!capturing) drawPose(pose ? pose.landmarks : []);
    $('#person-state').textContent = pose && pose.landmarks.length ? '사람 인식됨' : '사람이 보이지 않음';
  }
  setTimeout(overlayLoop, OVERLAY_INTERVAL_MS);
}

detector.onStateChange = (state, reason) => {
  if (state === 'loading') setChip('#status-pose', 'busy', '자세 인식 준비 중');
  if (state === 'ready') {
    setChip('#status-pose', 'ok', '자세 인식 준비됨');
    log.add('note', '자세 인식 모델 준비됨 (@mediapipe/pose)');
  }
  if (state === 'unavailable') {
    setChip('#status-pose', 'bad', '자세 인식 사용 불가', reason);
    const notice = $('#pose-notice');
    notice.hidden = false;
    notice.textContent = `자세 인식을 시작하지 못했습니다. 촬영과 저장은 계속할 수 있으며, 관절점 목록은 비어 있게 저장됩니다. (${reason})`;
    $('#person-state').textContent = '';
    drawPose([]);
    log.add('note', `자세 인식 사용 불가: ${reason}`, 'warn');
  }
};

// ---- captures -----------------------------------------------------------------

function poseDetail(pose) {
  if (pose === null) return '관절점 없음 (자세 인식 사용 불가)';
  if (pose.worldLandmarks.length === 0) return '사람이 보이지 않음 — 관절점 0개';
  return `관절점 ${pose.worldLandmarks.length}개`;
}

async function capture() {
  if (capturing) return;
  const { member, problem, focus } = memberForm.read();
  if (problem) {
    showHint(problem, 'warn');
    memberForm.focus(focus);
    return;
  }
  const target = slots.next();
  if (!target || !camera.running) return;
  capturing = true;
  updateSessionView();
  try {
    if (!session) {
      session = { savePath: savePath(MemberForm.folderKey(member), new Date()), member };
      memberForm.setLocked(true);
      log.add('note', `촬영 시작: ${member.name} → ${CAPTURE_ROOT}${session.savePath}\\`);
    }
    const { view } = target;
    $('#stage').classList.remove('flash');
    void $('#stage').offsetWidth; // restart the flash animation
    $('#stage').classList.add('flash');
    const frame = camera.grabFrame();
    const image = frame.toDataURL('image/png');
    const pose = await detector.detect(frame);
    const message = imageSaveMessage({
      view,
      imageDataUrl: image,
      savePath: session.savePath,
      memberInfo: MemberForm.infoText(session.member),
      poseWorldLandmarks: landmarksText(pose ? pose.worldLandmarks : []),
    });
    const posted = post(message);
    slots.fill(view.index, image, poseDetail(pose), posted ? 'sending' : 'unsent');
    log.add('out', `imgSave ${view.index} (${view.label}) ${Math.round(image.length / 1024)} KB, ${poseDetail(pose)}`);
    showHint(slots.next() ? `${slots.next().view.label} 자세를 준비하고 촬영하세요.` : '4장을 모두 촬영했습니다.');
    if (slots.allCaptured()) checkAll();
  } catch (error) {
    showHint(`촬영하지 못했습니다: ${error.message}`, 'warn');
    log.add('note', `촬영 오류: ${error.message}`, 'warn');
  } finally {
    capturing = false;
    updateSessionView();
  }
}

function checkAll() {
  if (!session) return;
  if (!post(allImagesCheckMessage({ savePath: session.savePath, memberInfo: MemberForm.infoText(session.member) }))) {
    showResult('warn', '저장되지 않았습니다', '셸 없이 열린 페이지입니다. 벨모란 프로그램에서 열어 주세요.');
    return;
  }
  showResult('busy', '저장 확인 중…', '4장의 이미지가 모두 저장되었는지 확인하고 있습니다.');
  log.add('out', 'sendAllDataCall (4장 저장 확인)');
}

function retake(view) {
  slots.clear(view.index);
  result.hidden = true;
  showHint(`${view.label} 을(를) 다시 촬영하세요.`);
  log.add('note', `재촬영: ${view.index}. ${view.label}`);
  updateSessionView();
}

function askStored(view) {
  if (post(imageQueryMessage(view.index))) log.add('out', `이미지 확인 요청: ${view.index}.png`);
}

function newMember() {
  session = null;
  memberForm.reset();
  slots.clearAll();
  result.hidden = true;
  showHint('회원 정보를 입력하고 정면부터 촬영하세요.');
  log.add('note', '새 회원');
  updateSessionView();
  memberForm.focus('name');
}

// ---- the shell's answers ------------------------------------------------------

onReply('image', ({ index, found }) => {
  slots.setStatus(index, found ? 'saved' : 'missing');
  log.add('in', `img_send_indx_done(${index}, ${found ? 1 : 0}) — ${index}.png ${found ? '저장됨' : '없음'}`, found ? '' : 'warn');
});

onReply('all', ({ missing, complete }) => {
  if (complete) {
    for (const slot of slots.slots) slots.setStatus(slot.view.index, 'saved');
    showResult('ok', '4장 모두 저장되었습니다', session ? `${CAPTURE_ROOT}${session.savePath}\\` : '');
    log.add('in', 'img_send_all_done — 4장 모두 저장됨');
  } else {
    for (const index of missing) slots.setStatus(index, 'missing');
    const names = missing.map((index) => `${index}. ${slots.slot(index).view.label}`).join(', ');
    showResult('warn', '저장되지 않은 이미지가 있습니다', `${names} — 재촬영 후 다시 확인하세요.`);
    log.add('in', `img_send_all_no — 없음: ${names}`, 'warn');
  }
});

// ---- start ----------------------------------------------------------------------

$('#capture').addEventListener('click', capture);
$('#check-all').addEventListener('click', checkAll);
$('#new-member').addEventListener('click', newMember);
$('#retry-camera').addEventListener('click', () => startCamera());
$('#camera-select').addEventListener('change', (event) => startCamera(event.target.value));
$('#fullscreen').addEventListener('click', () => {
  if (post(APP_EXIT)) {
    log.add('out', 'AppExit (전체 화면 전환)');
  } else if (document.fullscreenElement) {
    document.exitFullscreen();
  } else {
    document.documentElement.requestFullscreen().catch(() => {});
  }
});
// Space takes the next picture unless the person is typing.
document.addEventListener('keydown', (event) => {
  if (event.code !== 'Space' || event.repeat) return;
  if (event.target.closest('input, select, textarea, button')) return;
  event.preventDefault();
  capture();
});

$('#today').textContent = new Date().toLocaleDateString('ko-KR', {
  year: 'numeric',
  month: 'long',
  day: 'numeric',
  weekday: 'short',
});
if (hostAvailable) {
  setChip('#status-host', 'ok', '벨모란 연결됨');
} else {
  setChip('#status-host', 'bad', '셸 없음', '일반 브라우저에서 열려 저장되지 않습니다');
  log.add('note', '벨모란 셸 밖에서 열린 페이지: 촬영은 되지만 저장되지 않습니다', 'warn');
}
showHint('회원 정보를 입력하고 정면부터 촬영하세요.');
updateSessionView();
startCamera();
detector.start();
overlayLoop();
