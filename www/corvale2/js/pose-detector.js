// Pose detection with @mediapipe/pose, served from www/vendor/pose/ (installed
// by scripts/prepare-www.sh) so nothing is fetched from outside. When the
// model cannot start (files missing, no WebGL, too slow) the detector says so
// and the page goes on without it: captures then carry an empty landmark list.

const VENDOR_FOLDER = new URL('../../vendor/pose/', import.meta.url).href;
// Loading the WebAssembly and the model takes a few seconds on a clinic PC.
const START_TIMEOUT_MS = 60000;

function loadScript(url) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = url;
    script.async = true;
    script.onload = () => resolve();
    script.onerror = () => reject(new Error(`${url} 를 불러오지 못했습니다`));
    document.head.appendChild(script);
  });
}

function withTimeout(promise, ms, what) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what}: ${ms / 1000}초 안에 끝나지 않았습니다`)), ms);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

export class PoseDetector {
  constructor() {
    this.state = 'idle'; // idle, loading, ready, unavailable
    this.reason = '';
    this.pose = null;
    this.latest = null;
    this.queue = Promise.resolve();
    this.onStateChange = () => {};
  }

  get connections() {
    return window.POSE_CONNECTIONS || [];
  }

  setState(state, reason = '') {
    this.state = state;
    this.reason = reason;
    this.onStateChange(state, reason);
  }

  async start() {
    this.setState('loading');
    try {
      await loadScript(`${VENDOR_FOLDER}pose.js`);
      if (typeof window.Pose !== 'function') throw new Error('pose.js 에 Pose 가 없습니다');
      this.pose = new window.Pose({ locateFile: (file) => `${VENDOR_FOLDER}${file}` });
      this.pose.setOptions({
        modelComplexity: 1,
        smoothLandmarks: false,
        enableSegmentation: false,
        minDetectionConfidence: 0.5,
        minTrackingConfidence: 0.5,
      });
      this.pose.onResults((results) => {
        this.latest = results;
      });
      await withTimeout(this.pose.initialize(), START_TIMEOUT_MS, '모델 준비');
      this.setState('ready');
    } catch (error) {
      this.pose = null;
      this.setState('unavailable', error && error.message ? error.message : String(error));
    }
  }

  // Detects the pose in a video, image or canvas. Calls run one after another:
  // the model holds one frame at a time. Resolves with {landmarks,
  // worldLandmarks} (both empty when no person is seen) or null without a model.
  detect(image) {
    const run = async () => {
      if (this.state !== 'ready') return null;
      this.latest = null;
      try {
        await this.pose.send({ image });
      } catch (error) {
        this.setState('unavailable', error && error.message ? error.message : String(error));
        return null;
      }
      const results = this.latest || {};
      return {
        landmarks: results.poseLandmarks || [],
        worldLandmarks: results.poseWorldLandmarks || [],
      };
    };
    const result = this.queue.then(run, run);
    this.queue = result.catch(() => null);
    return result;
  }
}
