#include <utility>

#include "runtime/sim/SimDownloadOperation.h"
#include "runtime/sim/SimDownloadStartingEventArgs.h"
#include "runtime/sim/SimFrame.h"
#include "runtime/sim/SimFrameCreatedEventArgs.h"
#include "runtime/sim/SimWebView.h"

// The simulated webview's frames and downloads: what the page adds or starts
// is announced on a later pump, as the runtime does.

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

ComPtr<SimFrame> SimWebView::AddFrame(std::u16string name) {
  const SimVersionLimit& versions = side_->Config().frameVersions;
  ComPtr<SimFrame> frame =
      MakeComObject<SimFrame>(SharedContext(), versions, std::move(name), nextFrameId_++);
  frames_.push_back(frame);
  ComPtr<SimWebView> self(this);
  Context().Post([self, frame, versions] {
    if (!self->Live()) return;
    auto args = MakeComObject<SimFrameCreatedEventArgs>(self->SharedContext(), versions, frame);
    self->events_.Raise<ICoreWebView2FrameCreatedEventHandler>(
        "FrameCreated", static_cast<ICoreWebView2*>(self.Get()),
        static_cast<ICoreWebView2FrameCreatedEventArgs*>(args.Get()));
  });
  return frame;
}

ComPtr<SimDownloadOperation> SimWebView::StartDownload(const SimDownloadConfig& config) {
  const SimVersionLimit& versions = side_->Config().downloadVersions;
  ComPtr<SimDownloadOperation> operation =
      MakeComObject<SimDownloadOperation>(SharedContext(), versions, config);
  downloads_.push_back(operation);
  ComPtr<SimWebView> self(this);
  Context().Post([self, operation, versions, path = config.resultFilePath] {
    if (!self->Live()) return;
    auto args = MakeComObject<SimDownloadStartingEventArgs>(self->SharedContext(), versions, operation, path);
    self->events_.Raise<ICoreWebView2DownloadStartingEventHandler>(
        "DownloadStarting", static_cast<ICoreWebView2*>(self.Get()),
        static_cast<ICoreWebView2DownloadStartingEventArgs*>(args.Get()));
    operation->SetResultFilePath(args->ChosenResultFilePath());
    if (args->Cancelled()) operation->Cancel();
  });
  return operation;
}

void SimWebView::CloseFramesAndDownloads() {
  for (const ComPtr<SimFrame>& frame : frames_) frame->Close();
  for (const ComPtr<SimDownloadOperation>& download : downloads_) download->Close();
}

}  // namespace velmoran::runtime::sim
