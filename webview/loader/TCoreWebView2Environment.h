#pragma once

// TCoreWebView2Environment: the runtime's environment with the later interface
// versions it offers, learnt once at construction. Every operation answers
// false, none or an empty text, without calling the runtime, when the version
// that carries it is missing. The loader keeps one for the shared environment;
// each browser keeps its own around the same interface.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/IWVLoaderEvents.h"

namespace velmoran::webview {

// Objects of interfaces this program never looks into (pointer info, context
// menu item, shared buffer, file system handle, object collection) are handed
// out as their IUnknown.
class TCoreWebView2Environment {
 public:
  // Texts the runtime hands back are freed through `com`.
  TCoreWebView2Environment(platform::Com& com, ICoreWebView2Environment* aBaseIntf);
  // Removes the subscriptions still held, then releases every interface.
  ~TCoreWebView2Environment();
  TCoreWebView2Environment(const TCoreWebView2Environment&) = delete;
  TCoreWebView2Environment& operator=(const TCoreWebView2Environment&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Environment* BaseIntf() const { return FVersions.Get<ICoreWebView2Environment>(); }

  // New browser version (base), browser process exited (5) and process infos
  // changed (8), in that order, for the loader; stops at the first not made.
  bool AddAllLoaderEvents(IWVLoaderEvents* aLoaderComponent);
  // The last two of those, for a browser control.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);

  // aResult is the call's HRESULT, or E_FAIL when the call was not made.
  bool CreateCoreWebView2Controller(HWND aParentWindow, IWVBrowserEvents* aBrowserEvents, HRESULT& aResult);
  bool CreateWebResourceResponse(IStream* aContent, std::int32_t aStatusCode,
                                 const std::u16string& aReasonPhrase, const std::u16string& aHeaders,
                                 ComPtr<ICoreWebView2WebResourceResponse>& aResponse);
  std::u16string BrowserVersionInfo();
  bool CreateWebResourceRequest(const std::u16string& aURI, const std::u16string& aMethod, IStream* aPostData,
                                const std::u16string& aHeaders,
                                ComPtr<ICoreWebView2WebResourceRequest>& aRequest);
  bool CreateCoreWebView2CompositionController(HWND aParentWindow, IWVBrowserEvents* aBrowserEvents,
                                               HRESULT& aResult);
  bool CreateCoreWebView2PointerInfo(ComPtr<IUnknown>& aPointerInfo);
  bool GetAutomationProviderForWindow(HWND aHandle, ComPtr<IUnknown>& aProvider);
  bool CreatePrintSettings(ComPtr<ICoreWebView2PrintSettings>& aPrintSettings);
  std::u16string UserDataFolder();
  ComPtr<ICoreWebView2ProcessInfoCollection> ProcessInfos();
  bool CreateContextMenuItem(const std::u16string& aLabel, IStream* aIconStream,
                             COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND aKind, ComPtr<IUnknown>& aMenuItem);
  bool SupportsControllerOptions() const { return FVersions.Get<ICoreWebView2Environment10>() != nullptr; }
  bool SupportsCompositionController() const { return FVersions.Get<ICoreWebView2Environment3>() != nullptr; }
  // aResult is the call's HRESULT, or E_NOTIMPL when version 10 is missing.
  bool CreateCoreWebView2ControllerOptions(ComPtr<ICoreWebView2ControllerOptions>& aOptions,
                                           HRESULT& aResult);
  bool CreateCoreWebView2ControllerWithOptions(HWND aParentWindow, ICoreWebView2ControllerOptions* aOptions,
                                               HRESULT& aResult, IWVBrowserEvents* aBrowserEvents);
  bool CreateCoreWebView2CompositionControllerWithOptions(HWND aParentWindow,
                                                          ICoreWebView2ControllerOptions* aOptions,
                                                          HRESULT& aResult, IWVBrowserEvents* aBrowserEvents);
  std::u16string FailureReportFolderPath();
  bool CreateSharedBuffer(std::uint64_t aSize, ComPtr<IUnknown>& aSharedBuffer);
  bool GetProcessExtendedInfos(IWVBrowserEvents* aBrowserEvents);
  bool CreateWebFileSystemFileHandle(const std::u16string& aPath,
                                     COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION aPermission,
                                     ComPtr<IUnknown>& aValue);
  bool CreateWebFileSystemDirectoryHandle(const std::u16string& aPath,
                                          COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION aPermission,
                                          ComPtr<IUnknown>& aValue);
  bool CreateObjectCollection(std::uint32_t aLength, IUnknown** aItems, ComPtr<IUnknown>& aObjectCollection);

  // The registration tokens held, 0 when not subscribed.
  std::int64_t NewBrowserVersionAvailableEventToken() const {
    return FNewBrowserVersionAvailableEventToken.value;
  }
  std::int64_t BrowserProcessExitedEventToken() const { return FBrowserProcessExitedEventToken.value; }
  std::int64_t ProcessInfosChangedEventToken() const { return FProcessInfosChangedEventToken.value; }

 private:
  template <typename Face>
  bool AddBrowserProcessExitedEvent(Face* aEvents);
  template <typename Face>
  bool AddProcessInfosChangedEvent(Face* aEvents);
  bool AddNewBrowserVersionAvailableEvent(IWVLoaderEvents* aEvents);
  void RemoveAllEvents();

  platform::Com& FCom;
  // FBaseIntf and FBaseIntf2 to FBaseIntf14, each held or none:
  // Get<ICoreWebView2Environment>() and Get<ICoreWebView2Environment2>() onwards.
  InterfaceVersions<ICoreWebView2Environment, ICoreWebView2Environment2, ICoreWebView2Environment3,
                    ICoreWebView2Environment4, ICoreWebView2Environment5, ICoreWebView2Environment6,
                    ICoreWebView2Environment7, ICoreWebView2Environment8, ICoreWebView2Environment9,
                    ICoreWebView2Environment10, ICoreWebView2Environment11, ICoreWebView2Environment12,
                    ICoreWebView2Environment13, ICoreWebView2Environment14>
      FVersions;
  EventRegistrationToken FNewBrowserVersionAvailableEventToken{};
  EventRegistrationToken FBrowserProcessExitedEventToken{};
  EventRegistrationToken FProcessInfosChangedEventToken{};
};

}  // namespace velmoran::webview
