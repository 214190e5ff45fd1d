#pragma once

// The event arguments this runtime raises: small objects holding what the
// event says, answering their getters from it.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "codec/Json.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/common/AnswerValue.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

class NavigationStartingArgs final
    : public webview::AtomicComObject<ICoreWebView2NavigationStartingEventArgs> {
 public:
  NavigationStartingArgs(std::u16string uri, bool isRedirected, std::uint64_t navigationId)
      : uri_(std::move(uri)), isRedirected_(isRedirected), navigationId_(navigationId) {}
  HRESULT WV2_STDCALL get_Uri(LPWSTR* uri) override { return HandOutText(uri_, uri); }
  HRESULT WV2_STDCALL get_IsUserInitiated(BOOL* value) override { return AnswerValue<BOOL>(value, FALSE); }
  HRESULT WV2_STDCALL get_IsRedirected(BOOL* value) override {
    return AnswerValue<BOOL>(value, isRedirected_);
  }
  HRESULT WV2_STDCALL get_RequestHeaders(ICoreWebView2HttpRequestHeaders** headers) override {
    if (headers != nullptr) *headers = nullptr;
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_Cancel(BOOL* value) override { return AnswerValue<BOOL>(value, cancel_); }
  HRESULT WV2_STDCALL put_Cancel(BOOL value) override {
    cancel_ = value != FALSE;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override {
    return AnswerValue<UINT64>(value, navigationId_);
  }
  bool Cancelled() const { return cancel_; }

 private:
  std::u16string uri_;
  bool isRedirected_;
  std::uint64_t navigationId_;
  bool cancel_ = false;
};

class NavigationCompletedArgs final
    : public webview::AtomicComObject<ICoreWebView2NavigationCompletedEventArgs> {
 public:
  NavigationCompletedArgs(bool isSuccess, COREWEBVIEW2_WEB_ERROR_STATUS status, std::uint64_t navigationId,
                          int httpStatusCode)
      : isSuccess_(isSuccess),
        status_(status),
        navigationId_(navigationId),
        httpStatusCode_(httpStatusCode) {}
  HRESULT WV2_STDCALL get_IsSuccess(BOOL* value) override { return AnswerValue<BOOL>(value, isSuccess_); }
  HRESULT WV2_STDCALL get_WebErrorStatus(COREWEBVIEW2_WEB_ERROR_STATUS* value) override {
    return AnswerValue(value, status_);
  }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override {
    return AnswerValue<UINT64>(value, navigationId_);
  }
  // The later interface version that reports it is not among the declared ones yet.
  int HttpStatusCode() const { return httpStatusCode_; }

 private:
  bool isSuccess_;
  COREWEBVIEW2_WEB_ERROR_STATUS status_;
  std::uint64_t navigationId_;
  int httpStatusCode_;
};

class WebMessageReceivedArgs final
    : public webview::AtomicComObject<ICoreWebView2WebMessageReceivedEventArgs> {
 public:
  WebMessageReceivedArgs(std::u16string source, std::u16string json)
      : source_(std::move(source)), json_(std::move(json)) {}
  HRESULT WV2_STDCALL get_Source(LPWSTR* value) override { return HandOutText(source_, value); }
  HRESULT WV2_STDCALL get_WebMessageAsJson(LPWSTR* value) override { return HandOutText(json_, value); }
  // Only a message that is a string has a text of its own.
  HRESULT WV2_STDCALL TryGetWebMessageAsString(LPWSTR* value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    std::optional<codec::JsonValue> parsed = codec::ParseJson(json_);
    if (!parsed || !parsed->IsString()) return E_INVALIDARG;
    return HandOutText(parsed->view(), value);
  }

 private:
  std::u16string source_;
  std::u16string json_;
};

class ContentLoadingArgs final : public webview::AtomicComObject<ICoreWebView2ContentLoadingEventArgs> {
 public:
  ContentLoadingArgs(bool isErrorPage, std::uint64_t navigationId)
      : isErrorPage_(isErrorPage), navigationId_(navigationId) {}
  HRESULT WV2_STDCALL get_IsErrorPage(BOOL* value) override { return AnswerValue<BOOL>(value, isErrorPage_); }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override {
    return AnswerValue<UINT64>(value, navigationId_);
  }

 private:
  bool isErrorPage_;
  std::uint64_t navigationId_;
};

class DomContentLoadedArgs final : public webview::AtomicComObject<ICoreWebView2DOMContentLoadedEventArgs> {
 public:
  explicit DomContentLoadedArgs(std::uint64_t navigationId) : navigationId_(navigationId) {}
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override {
    return AnswerValue<UINT64>(value, navigationId_);
  }

 private:
  std::uint64_t navigationId_;
};

class SourceChangedArgs final : public webview::AtomicComObject<ICoreWebView2SourceChangedEventArgs> {
 public:
  explicit SourceChangedArgs(bool isNewDocument) : isNewDocument_(isNewDocument) {}
  HRESULT WV2_STDCALL get_IsNewDocument(BOOL* value) override {
    return AnswerValue<BOOL>(value, isNewDocument_);
  }

 private:
  bool isNewDocument_;
};

// Chromium names no process description, no frames and no failing module. An
// exit code it did not tell (a browser that ended without its start script
// reporting it) cannot be read.
class ProcessFailedArgs final : public webview::AtomicComObject<ICoreWebView2ProcessFailedEventArgs3> {
 public:
  explicit ProcessFailedArgs(const FailedProcess& failure) : failure_(failure) {}
  HRESULT WV2_STDCALL get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* value) override {
    return AnswerValue(value, failure_.kind);
  }
  HRESULT WV2_STDCALL get_Reason(COREWEBVIEW2_PROCESS_FAILED_REASON* reason) override {
    return AnswerValue(reason, failure_.reason);
  }
  HRESULT WV2_STDCALL get_ExitCode(int* exitCode) override {
    if (exitCode == nullptr) return E_POINTER;
    *exitCode = failure_.exitCode.value_or(0);
    return failure_.exitCode ? S_OK : E_FAIL;
  }
  HRESULT WV2_STDCALL get_ProcessDescription(LPWSTR* processDescription) override {
    return HandOutText(u"", processDescription);
  }
  HRESULT WV2_STDCALL get_FrameInfosForFailedProcess(ICoreWebView2FrameInfoCollection** frames) override {
    if (frames != nullptr) *frames = nullptr;
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_FailureSourceModulePath(LPWSTR* value) override { return HandOutText(u"", value); }

 private:
  FailedProcess failure_;
};

}  // namespace velmoran::runtime::chromium
