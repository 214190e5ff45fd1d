#include "runtime/chromium/win32/ChromiumDownload.h"

#include <windows.h>

#include <utility>

#include "base/Text.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"
#include "runtime/common/AnswerValue.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;

namespace {

// What Chromium does not tell: no text, and the published failure.
HRESULT NotReported(LPWSTR* text) {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  return E_NOTIMPL;
}

}  // namespace

ChromiumDownloadOperation::ChromiumDownloadOperation(std::shared_ptr<ChromiumBrowser> browser,
                                                     std::u16string guid, std::u16string uri,
                                                     std::u16string resultFilePath)
    : browser_(std::move(browser)),
      guid_(std::move(guid)),
      uri_(std::move(uri)),
      resultFilePath_(std::move(resultFilePath)) {}

bool ChromiumDownloadOperation::Progress(std::u16string_view state, double receivedBytes, double totalBytes) {
  const DownloadChanges changes = ApplyDownloadProgress(status_, state, receivedBytes, totalBytes);
  if (changes.state && status_.state == COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED) {
    const std::u16string staged = browser_->DownloadStagingFolder() + u"\\" + guid_;
    if (!::MoveFileExW(platform::win32::AsWide(staged), platform::win32::AsWide(resultFilePath_),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      Trace("download not moved to " + Utf16ToUtf8(resultFilePath_) + ": " +
            std::to_string(::GetLastError()));
      status_.state = COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED;
      status_.interruptReason = COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_FILE_FAILED;
    }
  }
  auto* sender = static_cast<ICoreWebView2DownloadOperation*>(this);
  ComPtr<ChromiumDownloadOperation> self(this);
  if (changes.bytesReceived)
    events_.Raise<ICoreWebView2BytesReceivedChangedEventHandler>("BytesReceivedChanged", sender,
                                                                 static_cast<IUnknown*>(nullptr));
  if (changes.state)
    events_.Raise<ICoreWebView2StateChangedEventHandler>("StateChanged", sender,
                                                         static_cast<IUnknown*>(nullptr));
  return status_.state != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS;
}

HRESULT ChromiumDownloadOperation::get_Uri(LPWSTR* uri) { return HandOutText(uri_, uri); }
HRESULT ChromiumDownloadOperation::get_ContentDisposition(LPWSTR* contentDisposition) {
  return NotReported(contentDisposition);
}
HRESULT ChromiumDownloadOperation::get_MimeType(LPWSTR* mimeType) { return NotReported(mimeType); }
HRESULT ChromiumDownloadOperation::get_TotalBytesToReceive(INT64* totalBytesToReceive) {
  return AnswerValue<INT64>(totalBytesToReceive, status_.totalBytesToReceive);
}
HRESULT ChromiumDownloadOperation::get_BytesReceived(INT64* bytesReceived) {
  return AnswerValue<INT64>(bytesReceived, status_.bytesReceived);
}
HRESULT ChromiumDownloadOperation::get_EstimatedEndTime(LPWSTR* estimatedEndTime) {
  return NotReported(estimatedEndTime);
}
HRESULT ChromiumDownloadOperation::get_ResultFilePath(LPWSTR* resultFilePath) {
  return HandOutText(resultFilePath_, resultFilePath);
}
HRESULT ChromiumDownloadOperation::get_State(COREWEBVIEW2_DOWNLOAD_STATE* downloadState) {
  return AnswerValue(downloadState, status_.state);
}
HRESULT ChromiumDownloadOperation::get_InterruptReason(
    COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON* interruptReason) {
  return AnswerValue(interruptReason, status_.interruptReason);
}
HRESULT ChromiumDownloadOperation::get_CanResume(BOOL* canResume) {
  return AnswerValue<BOOL>(canResume, FALSE);
}

HRESULT ChromiumDownloadOperation::Cancel() {
  if (status_.state != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return S_OK;
  if (!browser_->Usable()) return HRESULT_FROM_WIN32(ERROR_INVALID_STATE);
  status_.cancelRequested = true;
  // Chromium answers with a progress report saying "canceled", which ends it.
  JsonWriter params;
  params.BeginObject().Key("guid").String(guid_).EndObject();
  browser_->CallBrowser("Browser.cancelDownload", params.Text());
  return S_OK;
}

HRESULT ChromiumDownloadStartingArgs::get_DownloadOperation(ICoreWebView2DownloadOperation** value) {
  if (value == nullptr) return E_POINTER;
  *value = ComPtr<ICoreWebView2DownloadOperation>(operation_).Detach();
  return S_OK;
}
HRESULT ChromiumDownloadStartingArgs::get_Cancel(BOOL* cancel) { return AnswerValue<BOOL>(cancel, cancel_); }
HRESULT ChromiumDownloadStartingArgs::get_ResultFilePath(LPWSTR* resultFilePath) {
  return HandOutText(resultFilePath_, resultFilePath);
}
HRESULT ChromiumDownloadStartingArgs::put_ResultFilePath(LPCWSTR resultFilePath) {
  if (resultFilePath == nullptr || *resultFilePath == 0) return E_INVALIDARG;
  resultFilePath_ = std::u16string(ReadText(resultFilePath));
  return S_OK;
}
HRESULT ChromiumDownloadStartingArgs::get_Handled(BOOL* handled) {
  return AnswerValue<BOOL>(handled, handled_);
}

}  // namespace velmoran::runtime::chromium
