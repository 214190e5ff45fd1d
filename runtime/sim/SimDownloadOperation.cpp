#include "runtime/sim/SimDownloadOperation.h"

#include <algorithm>
#include <utility>

namespace velmoran::runtime::sim {

using webview::ComPtr;

SimDownloadOperation::SimDownloadOperation(std::shared_ptr<SimRuntimeContext> context,
                                           SimVersionLimit versions, const SimDownloadConfig& config)
    : SimDownloadOperationBase(std::move(context), std::move(versions)) {
  values_.Write("Uri", config.uri);
  values_.Write("MimeType", config.mimeType);
  values_.Write("ContentDisposition", config.contentDisposition);
  values_.Write<INT64>("TotalBytesToReceive", config.totalBytes);
  values_.Write<INT64>("BytesReceived", 0);
  values_.Write<std::u16string>("EstimatedEndTime", u"");
  values_.Write("ResultFilePath", config.resultFilePath);
  values_.Write("State", COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS);
  values_.Write("InterruptReason", COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE);
  values_.Write<BOOL>("CanResume", FALSE);
}

COREWEBVIEW2_DOWNLOAD_STATE SimDownloadOperation::CurrentState() const {
  return values_.Read<COREWEBVIEW2_DOWNLOAD_STATE>("State");
}

bool SimDownloadOperation::Ended() const {
  return CurrentState() == COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED ||
         (CurrentState() == COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED &&
          values_.Read<BOOL>("CanResume") == FALSE);
}

void SimDownloadOperation::ChangeState(COREWEBVIEW2_DOWNLOAD_STATE state,
                                       COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON reason, bool canResume) {
  values_.Write("State", state);
  values_.Write("InterruptReason", reason);
  values_.Write<BOOL>("CanResume", canResume ? TRUE : FALSE);
  ComPtr<SimDownloadOperation> self(this);
  Context().Post([self] {
    self->events_.Raise<ICoreWebView2StateChangedEventHandler>(
        "StateChanged", static_cast<ICoreWebView2DownloadOperation*>(self.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

HRESULT SimDownloadOperation::Cancel() {
  if (const HRESULT scripted = Context().CallResult("Download.Cancel"); FAILED(scripted)) return scripted;
  // Cancelling what has already ended changes nothing.
  if (Ended()) return S_OK;
  ChangeState(COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED, COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_USER_CANCELED,
              false);
  return S_OK;
}

HRESULT SimDownloadOperation::Pause() {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return S_OK;
  ChangeState(COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED, COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_USER_PAUSED,
              true);
  return S_OK;
}

HRESULT SimDownloadOperation::Resume() {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED) return S_OK;
  if (values_.Read<BOOL>("CanResume") == FALSE) return E_FAIL;
  ChangeState(COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS, COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE, false);
  return S_OK;
}

void SimDownloadOperation::Receive(INT64 bytes) {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return;
  INT64 received = values_.Read<INT64>("BytesReceived") + std::max<INT64>(bytes, 0);
  const INT64 total = values_.Read<INT64>("TotalBytesToReceive");
  if (total >= 0) received = std::min(received, total);
  values_.Write("BytesReceived", received);
  ComPtr<SimDownloadOperation> self(this);
  Context().Post([self] {
    self->events_.Raise<ICoreWebView2BytesReceivedChangedEventHandler>(
        "BytesReceivedChanged", static_cast<ICoreWebView2DownloadOperation*>(self.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

void SimDownloadOperation::ChangeEstimatedEndTime(std::u16string estimatedEndTime) {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return;
  values_.Write("EstimatedEndTime", std::move(estimatedEndTime));
  ComPtr<SimDownloadOperation> self(this);
  Context().Post([self] {
    self->events_.Raise<ICoreWebView2EstimatedEndTimeChangedEventHandler>(
        "EstimatedEndTimeChanged", static_cast<ICoreWebView2DownloadOperation*>(self.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

void SimDownloadOperation::Complete() {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return;
  const INT64 total = values_.Read<INT64>("TotalBytesToReceive");
  if (total >= 0) values_.Write("BytesReceived", total);
  ChangeState(COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED, COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE, false);
}

void SimDownloadOperation::Interrupt(COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON reason) {
  if (CurrentState() != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return;
  ChangeState(COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED, reason, false);
}

}  // namespace velmoran::runtime::sim
