#pragma once

// The loader's callback face: the environment request's completion and the
// environment events the loader subscribes for the whole process.

#include "webview/abi/WebView2Abi.h"
#include "webview/sinks/SinkTarget.h"

namespace velmoran::webview {

class IWVLoaderEvents : public SinkTarget {
 public:
  virtual HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                             ICoreWebView2Environment* createdEnvironment) = 0;
  virtual HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) = 0;
  virtual HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                             ICoreWebView2BrowserProcessExitedEventArgs* args) = 0;
  virtual HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) = 0;

 protected:
  IWVLoaderEvents() = default;
  ~IWVLoaderEvents() override = default;
};

}  // namespace velmoran::webview
