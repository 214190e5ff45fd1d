// The camera preview: one video stream at a time, any camera the person picks.

export class Camera {
  constructor(video) {
    this.video = video;
    this.stream = null;
  }

  get running() {
    return this.stream !== null && this.video.videoWidth > 0;
  }

  // Starts the given camera (or the default one) and resolves with its name.
  async start(deviceId) {
    this.stop();
    if (!navigator.mediaDevices || !navigator.mediaDevices.getUserMedia) {
      throw new Error('이 브라우저는 카메라를 지원하지 않습니다 (getUserMedia unavailable)');
    }
    const video = { width: { ideal: 1280 }, height: { ideal: 720 } };
    if (deviceId) video.deviceId = { exact: deviceId };
    this.stream = await navigator.mediaDevices.getUserMedia({ video, audio: false });
    this.video.srcObject = this.stream;
    await this.video.play();
    const [track] = this.stream.getVideoTracks();
    return track ? track.label : '';
  }

  stop() {
    if (this.stream) this.stream.getTracks().forEach((track) => track.stop());
    this.stream = null;
    this.video.srcObject = null;
  }

  // The cameras the browser may use; names appear once access was granted.
  async cameras() {
    if (!navigator.mediaDevices || !navigator.mediaDevices.enumerateDevices) return [];
    const devices = await navigator.mediaDevices.enumerateDevices();
    return devices.filter((device) => device.kind === 'videoinput');
  }

  currentDeviceId() {
    const [track] = this.stream ? this.stream.getVideoTracks() : [];
    return track && track.getSettings ? track.getSettings().deviceId || '' : '';
  }

  // Copies the current frame, at the camera's full size, into a new canvas.
  grabFrame() {
    const canvas = document.createElement('canvas');
    canvas.width = this.video.videoWidth;
    canvas.height = this.video.videoHeight;
    canvas.getContext('2d').drawImage(this.video, 0, 0, canvas.width, canvas.height);
    return canvas;
  }
}
