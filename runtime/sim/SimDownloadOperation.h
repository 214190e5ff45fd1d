#pragma once

// A simulated download, as the page in a simulated webview starts it
// (SimWebViewPage::StartDownload). The test drives its progress: bytes
// arriving in steps (BytesReceivedChanged), a new estimate of its end
// (EstimatedEndTimeChanged), its end (StateChanged to completed) or an
// interruption with a reason. The host may cancel it (interrupted, by the
// user), pause it (interrupted, resumable) and resume it. Every event comes
// on a later pump, never inside the call that caused it; once the download
// has completed or was cancelled, nothing changes any more.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "runtime/sim/SimDownloadOperationBase.h"

namespace velmoran::runtime::sim {

struct SimDownloadConfig {
  std::u16string uri = u"http://localhost/files/archive.zip";
  std::u16string mimeType = u"application/zip";
  std::u16string contentDisposition = u"attachment; filename=archive.zip";
  // -1: the size is not known.
  INT64 totalBytes = 4096;
  std::u16string resultFilePath = u"C:\\Users\\user\\Downloads\\archive.zip";
};

class SimDownloadOperation final : public SimDownloadOperationBase {
 public:
  SimDownloadOperation(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                       const SimDownloadConfig& config);

  HRESULT WV2_STDCALL Cancel() override;
  HRESULT WV2_STDCALL Pause() override;
  HRESULT WV2_STDCALL Resume() override;

  // --- How the download goes on, as the test drives it ---
  // `bytes` more arrive (never past the total, when one is known).
  void Receive(INT64 bytes);
  void ChangeEstimatedEndTime(std::u16string estimatedEndTime);
  void Complete();
  void Interrupt(COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON reason);
  // The webview closed: the download drops every subscription.
  void Close() {
    if (!subscriptionsAtClose_) subscriptionsAtClose_ = events_.Count();
    events_.Clear();
  }
  // How many subscriptions the host still held when the webview closed; none before it closed.
  std::optional<std::size_t> SubscriptionsAtClose() const { return subscriptionsAtClose_; }

  COREWEBVIEW2_DOWNLOAD_STATE CurrentState() const;
  // Where the host chose to put the file in DownloadStarting.
  void SetResultFilePath(std::u16string path) { values_.Write("ResultFilePath", std::move(path)); }

 private:
  bool Ended() const;
  std::optional<std::size_t> subscriptionsAtClose_;
  // Writes the state now; StateChanged follows on a later pump.
  void ChangeState(COREWEBVIEW2_DOWNLOAD_STATE state, COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON reason,
                   bool canResume);
};

}  // namespace velmoran::runtime::sim
