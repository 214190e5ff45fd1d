#pragma once

// A download of the browser, as the webview announces it with
// DownloadStarting: the operation (ICoreWebView2DownloadOperation) and the
// starting arguments, and the arguments of FrameCreated. Chromium writes the
// file under its guid into the runtime's staging folder; once it is complete
// the file is moved to the result path (the host may choose it in
// DownloadStarting) before StateChanged tells so. What Chromium does not
// report answers E_NOTIMPL: the MIME type, the Content-Disposition, an
// estimated end time (EstimatedEndTimeChanged is never raised), pausing and
// resuming, and a deferral of DownloadStarting.

#include <string>

#include "runtime/chromium/DownloadProgress.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/ChromiumFrame.h"
#include "runtime/common/EventHandlerList.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class ChromiumDownloadOperation final : public webview::AtomicComObject<ICoreWebView2DownloadOperation> {
 public:
  ChromiumDownloadOperation(std::shared_ptr<ChromiumBrowser> browser, std::u16string guid, std::u16string uri,
                            std::u16string resultFilePath);

  const std::u16string& Guid() const { return guid_; }
  void SetResultFilePath(std::u16string path) { resultFilePath_ = std::move(path); }
  // Applies Chromium's report and raises what follows from it; a completed
  // file is moved to the result path first (a move that fails interrupts the
  // download as a failed file). True once the download has ended.
  bool Progress(std::u16string_view state, double receivedBytes, double totalBytes);
  // The webview closed: the download drops every subscription.
  void Close() { events_.Clear(); }

  HRESULT WV2_STDCALL add_BytesReceivedChanged(ICoreWebView2BytesReceivedChangedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override {
    return events_.Add("BytesReceivedChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_BytesReceivedChanged(EventRegistrationToken token) override {
    events_.Remove("BytesReceivedChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL
  add_EstimatedEndTimeChanged(ICoreWebView2EstimatedEndTimeChangedEventHandler* eventHandler,
                              EventRegistrationToken* token) override {
    return events_.Add("EstimatedEndTimeChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_EstimatedEndTimeChanged(EventRegistrationToken token) override {
    events_.Remove("EstimatedEndTimeChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL add_StateChanged(ICoreWebView2StateChangedEventHandler* eventHandler,
                                       EventRegistrationToken* token) override {
    return events_.Add("StateChanged", eventHandler, token);
  }
  HRESULT WV2_STDCALL remove_StateChanged(EventRegistrationToken token) override {
    events_.Remove("StateChanged", token);
    return S_OK;
  }
  HRESULT WV2_STDCALL get_Uri(LPWSTR* uri) override;
  HRESULT WV2_STDCALL get_ContentDisposition(LPWSTR* contentDisposition) override;
  HRESULT WV2_STDCALL get_MimeType(LPWSTR* mimeType) override;
  HRESULT WV2_STDCALL get_TotalBytesToReceive(INT64* totalBytesToReceive) override;
  HRESULT WV2_STDCALL get_BytesReceived(INT64* bytesReceived) override;
  HRESULT WV2_STDCALL get_EstimatedEndTime(LPWSTR* estimatedEndTime) override;
  HRESULT WV2_STDCALL get_ResultFilePath(LPWSTR* resultFilePath) override;
  HRESULT WV2_STDCALL get_State(COREWEBVIEW2_DOWNLOAD_STATE* downloadState) override;
  HRESULT WV2_STDCALL get_InterruptReason(COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON* interruptReason) override;
  HRESULT WV2_STDCALL Cancel() override;
  HRESULT WV2_STDCALL Pause() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL Resume() override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_CanResume(BOOL* canResume) override;

 private:
  std::shared_ptr<ChromiumBrowser> browser_;
  std::u16string guid_;
  std::u16string uri_;
  std::u16string resultFilePath_;
  DownloadStatus status_;
  EventHandlerList events_;
};

class ChromiumDownloadStartingArgs final
    : public webview::AtomicComObject<ICoreWebView2DownloadStartingEventArgs> {
 public:
  ChromiumDownloadStartingArgs(webview::ComPtr<ChromiumDownloadOperation> operation,
                               std::u16string resultFilePath)
      : operation_(std::move(operation)), resultFilePath_(std::move(resultFilePath)) {}

  bool Cancelled() const { return cancel_; }
  const std::u16string& ChosenResultFilePath() const { return resultFilePath_; }

  HRESULT WV2_STDCALL get_DownloadOperation(ICoreWebView2DownloadOperation** value) override;
  HRESULT WV2_STDCALL get_Cancel(BOOL* cancel) override;
  HRESULT WV2_STDCALL put_Cancel(BOOL cancel) override {
    cancel_ = cancel != FALSE;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_ResultFilePath(LPWSTR* resultFilePath) override;
  HRESULT WV2_STDCALL put_ResultFilePath(LPCWSTR resultFilePath) override;
  HRESULT WV2_STDCALL get_Handled(BOOL* handled) override;
  HRESULT WV2_STDCALL put_Handled(BOOL handled) override {
    handled_ = handled != FALSE;
    return S_OK;
  }
  HRESULT WV2_STDCALL GetDeferral(ICoreWebView2Deferral** deferral) override {
    if (deferral != nullptr) *deferral = nullptr;
    return E_NOTIMPL;
  }

 private:
  webview::ComPtr<ChromiumDownloadOperation> operation_;
  std::u16string resultFilePath_;
  bool cancel_ = false;
  bool handled_ = false;
};

class ChromiumFrameCreatedArgs final : public webview::AtomicComObject<ICoreWebView2FrameCreatedEventArgs> {
 public:
  explicit ChromiumFrameCreatedArgs(webview::ComPtr<ChromiumFrame> frame) : frame_(std::move(frame)) {}
  HRESULT WV2_STDCALL get_Frame(ICoreWebView2Frame** frame) override {
    if (frame == nullptr) return E_POINTER;
    *frame = webview::ComPtr<ICoreWebView2Frame>(frame_).Detach();
    return S_OK;
  }

 private:
  webview::ComPtr<ChromiumFrame> frame_;
};

}  // namespace velmoran::runtime::chromium
