#pragma once

// What the benchmark runs inside the demo page, through Runtime.evaluate.
// The capture messages come from the page's own module
// (www/corvale2/js/messages.js), so they have exactly the shape the page
// posts when a person takes a picture.

#include <string>
#include <string_view>

namespace velmoran::bench::engine {

// Keeps the image's data URL in the page (window.__velmoranBenchImage).
std::string StoreImageScript(std::string_view dataUrl);

// Decodes the stored image with the browser's own decoder, prepares
// window.__velmoranBench (message builder, reply watch) and answers
// {width, height, savePath}. Awaited.
std::string PrepareScript();

// Whether the page has loaded and found the shell's bridge (window.chrome.webview).
std::string PageReadyScript();

// Whether the page is done loading its pose model (ready or unavailable).
std::string PoseSettledScript();

// Stops the camera preview, and with it the pose overlay's detection loop.
std::string StopCameraScript();

// Builds the capture message of image `index` in the page; answers its length.
std::string BuildMessageScript(int index);

// The page posts the message built last, as the page's capture does.
std::string PostMessageScript();

// The binding the benchmark adds to the page through its own DevTools
// session: a call of it reaches the benchmark as Runtime.bindingCalled, as a
// call of the runtime's binding reaches the runtime.
inline constexpr const char* kTransferBinding = "__velmoranBenchTransfer";

// What postMessage does with the message built last (JSON.stringify, then the
// binding's call), with the benchmark's binding in place of the runtime's.
std::string TransferScript();

// The JSON text that postMessage hands to the runtime's binding for that
// message, as the value of the evaluation.
std::string MessageJsonScript();

// Resolves with the shell's img_send_indx_done answer (1 or 0) for `index`.
std::string ReplyScript(int index);

}  // namespace velmoran::bench::engine
