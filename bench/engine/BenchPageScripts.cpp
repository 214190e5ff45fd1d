#include "bench/engine/BenchPageScripts.h"

#include "bench/engine/DevToolsPage.h"

namespace velmoran::bench::engine {

std::string StoreImageScript(std::string_view dataUrl) {
  return "window.__velmoranBenchImage = " + JsonQuoted(dataUrl) + "; window.__velmoranBenchImage.length";
}

std::string PrepareScript() {
  return R"JS((async () => {
  const base = document.baseURI;
  const messages = await import(new URL('js/messages.js', base).href);
  const { MemberForm } = await import(new URL('js/member-form.js', base).href);
  const image = window.__velmoranBenchImage;
  // Only a real PNG decodes.
  const picture = new Image();
  picture.src = image;
  await picture.decode();
  const member = { name: '홍길동', memberId: 'A01', birthDate: '1985-03-14', age: 41, sex: 'M',
                   heightCm: 172.5, weightKg: 68.2, note: '허리 통증, 오른쪽 어깨 처짐' };
  // 33 world landmarks, as many as the pose model reports for a person.
  const landmarks = Array.from({ length: 33 }, (_, i) => ({
    x: Math.sin(i) * 0.4, y: Math.cos(i) * 0.7, z: (i % 7) / 20 - 0.15, visibility: 0.5 + (i % 5) / 10 }));
  const bench = {
    savePath: messages.savePath('engine-bench', new Date()),
    message: '',
    replies: new Map(),
    waiting: new Map(),
    build(index) {
      this.message = messages.imageSaveMessage({
        view: { index, key: 'front' }, imageDataUrl: image, savePath: this.savePath,
        memberInfo: MemberForm.infoText(member), poseWorldLandmarks: messages.landmarksText(landmarks) });
      return this.message.length;
    },
    reply(index) {
      if (this.replies.has(index)) {
        const found = this.replies.get(index);
        this.replies.delete(index);
        return Promise.resolve(found);
      }
      return new Promise((resolve, reject) => {
        this.waiting.set(index, resolve);
        setTimeout(() => reject(new Error(`no img_send_indx_done(${index}) within 30 s`)), 30000);
      });
    },
  };
  // The shell's answer still reaches the page's own handler.
  const pageHandler = window.img_send_indx_done;
  window.img_send_indx_done = function img_send_indx_done(index, found) {
    const n = Number(index);
    const resolve = bench.waiting.get(n);
    if (resolve) {
      bench.waiting.delete(n);
      resolve(Number(found));
    } else {
      bench.replies.set(n, Number(found));
    }
    return pageHandler.apply(this, arguments);
  };
  window.__velmoranBench = bench;
  return { width: picture.naturalWidth, height: picture.naturalHeight, savePath: bench.savePath };
})())JS";
}

std::string PageReadyScript() {
  return "document.readyState === 'complete' && document.querySelector('#status-host') !== null && "
         "document.querySelector('#status-host').dataset.state === 'ok'";
}

std::string PoseSettledScript() { return "document.querySelector('#status-pose').dataset.state !== 'busy'"; }

std::string StopCameraScript() {
  return R"JS((() => {
  const video = document.querySelector('video');
  const stream = video && video.srcObject;
  if (stream) stream.getTracks().forEach((track) => track.stop());
  if (video) video.srcObject = null;
  return Boolean(stream);
})())JS";
}

std::string BuildMessageScript(int index) {
  return "window.__velmoranBench.build(" + std::to_string(index) + ")";
}

std::string PostMessageScript() {
  return "window.chrome.webview.postMessage(window.__velmoranBench.message)";
}

// postMessage serialises its argument with JSON.stringify and hands the text
// to the runtime's binding (runtime/chromium/PageScripts.cpp).
std::string TransferScript() {
  return "((message) => window." + std::string(kTransferBinding) +
         "(JSON.stringify(message)))(window.__velmoranBench.message)";
}

std::string MessageJsonScript() { return "JSON.stringify(window.__velmoranBench.message)"; }

std::string ReplyScript(int index) { return "window.__velmoranBench.reply(" + std::to_string(index) + ")"; }

}  // namespace velmoran::bench::engine
