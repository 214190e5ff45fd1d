#pragma once

// The simulated runtime's environment. It answers QueryInterface only for the
// interface versions the test offers, keeps the three environment events'
// handlers under 64-bit tokens, raises them when the test asks, and hands
// controller creation to the installed SimControllerFactory.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "runtime/sim/SimEnvironmentRequest.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimCoreWebView2Environment final : public webview::ComObject<ICoreWebView2Environment14>,
                                         private SimCountedObject {
 public:
  SimCoreWebView2Environment(std::shared_ptr<SimRuntimeContext> context, SimEnvironmentRequest request);
  ~SimCoreWebView2Environment() override;

  using SimCountedObject::Context;
  using SimCountedObject::SharedContext;
  const SimEnvironmentRequest& Request() const { return request_; }

  // The version (1 to 14) an environment interface id names; 0 for any other id.
  static std::uint32_t EnvironmentVersionOf(REFIID riid);

  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override;

  // ICoreWebView2Environment
  HRESULT WV2_STDCALL CreateCoreWebView2Controller(
      HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  HRESULT WV2_STDCALL CreateWebResourceResponse(IStream* content, int statusCode, LPCWSTR reasonPhrase,
                                                LPCWSTR headers,
                                                ICoreWebView2WebResourceResponse** response) override;
  HRESULT WV2_STDCALL get_BrowserVersionString(LPWSTR* versionInfo) override;
  HRESULT WV2_STDCALL
  add_NewBrowserVersionAvailable(ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler,
                                 EventRegistrationToken* token) override;
  HRESULT WV2_STDCALL remove_NewBrowserVersionAvailable(EventRegistrationToken token) override;
  // 2
  HRESULT WV2_STDCALL CreateWebResourceRequest(LPCWSTR uri, LPCWSTR method, IStream* postData,
                                               LPCWSTR headers,
                                               ICoreWebView2WebResourceRequest** value) override;
  // 3
  HRESULT WV2_STDCALL CreateCoreWebView2CompositionController(
      HWND parentWindow,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) override;
  HRESULT WV2_STDCALL CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo** value) override;
  // 4
  HRESULT WV2_STDCALL GetAutomationProviderForWindow(HWND hwnd, IUnknown** value) override;
  // 5
  HRESULT WV2_STDCALL add_BrowserProcessExited(ICoreWebView2BrowserProcessExitedEventHandler* eventHandler,
                                               EventRegistrationToken* token) override;
  HRESULT WV2_STDCALL remove_BrowserProcessExited(EventRegistrationToken token) override;
  // 6
  HRESULT WV2_STDCALL CreatePrintSettings(ICoreWebView2PrintSettings** value) override;
  // 7
  HRESULT WV2_STDCALL get_UserDataFolder(LPWSTR* value) override;
  // 8
  HRESULT WV2_STDCALL add_ProcessInfosChanged(ICoreWebView2ProcessInfosChangedEventHandler* eventHandler,
                                              EventRegistrationToken* token) override;
  HRESULT WV2_STDCALL remove_ProcessInfosChanged(EventRegistrationToken token) override;
  HRESULT WV2_STDCALL GetProcessInfos(ICoreWebView2ProcessInfoCollection** value) override;
  // 9
  HRESULT WV2_STDCALL CreateContextMenuItem(LPCWSTR label, IStream* iconStream,
                                            COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind,
                                            ICoreWebView2ContextMenuItem** value) override;
  // 10
  HRESULT WV2_STDCALL CreateCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions** value) override;
  HRESULT WV2_STDCALL CreateCoreWebView2ControllerWithOptions(
      HWND parentWindow, ICoreWebView2ControllerOptions* options,
      ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  HRESULT WV2_STDCALL CreateCoreWebView2CompositionControllerWithOptions(
      HWND parentWindow, ICoreWebView2ControllerOptions* options,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) override;
  // 11
  HRESULT WV2_STDCALL get_FailureReportFolderPath(LPWSTR* value) override;
  // 12
  HRESULT WV2_STDCALL CreateSharedBuffer(UINT64 size, ICoreWebView2SharedBuffer** value) override;
  // 13
  HRESULT WV2_STDCALL
  GetProcessExtendedInfos(ICoreWebView2GetProcessExtendedInfosCompletedHandler* handler) override;
  // 14
  HRESULT WV2_STDCALL CreateWebFileSystemFileHandle(LPCWSTR path,
                                                    COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
                                                    ICoreWebView2FileSystemHandle** value) override;
  HRESULT WV2_STDCALL
  CreateWebFileSystemDirectoryHandle(LPCWSTR path, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION permission,
                                     ICoreWebView2FileSystemHandle** value) override;
  HRESULT WV2_STDCALL CreateObjectCollection(UINT32 length, IUnknown** items,
                                             ICoreWebView2ObjectCollection** objectCollection) override;

  // Raise each event on every handler now subscribed (called from the message
  // queue by SimRuntime).
  void FireNewBrowserVersionAvailable();
  void FireBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind);
  void FireProcessInfosChanged();

  std::size_t SubscriptionCount() const;

  // The browser process behind the environment has exited: no more
  // controllers, and BrowserProcessExited (FAILED) on its handlers now.
  void BrowserProcessFailed();
  bool BrowserProcessGone() const { return browserProcessGone_; }

 private:
  template <typename Handler>
  HRESULT Subscribe(const char* method, std::map<std::int64_t, webview::ComPtr<Handler>>& handlers,
                    Handler* handler, EventRegistrationToken* token);
  template <typename Handler>
  HRESULT Unsubscribe(const char* method, std::map<std::int64_t, webview::ComPtr<Handler>>& handlers,
                      EventRegistrationToken token);
  // The text answer of a getter: scripted failure, else a task-memory copy.
  HRESULT AnswerText(const char* method, const std::u16string& text, LPWSTR* value);
  std::u16string UserDataFolderText();

  SimEnvironmentRequest request_;
  std::map<std::int64_t, webview::ComPtr<ICoreWebView2NewBrowserVersionAvailableEventHandler>>
      newVersionHandlers_;
  std::map<std::int64_t, webview::ComPtr<ICoreWebView2BrowserProcessExitedEventHandler>>
      processExitedHandlers_;
  std::map<std::int64_t, webview::ComPtr<ICoreWebView2ProcessInfosChangedEventHandler>> processInfosHandlers_;
  bool browserProcessGone_ = false;
};

}  // namespace velmoran::runtime::sim
