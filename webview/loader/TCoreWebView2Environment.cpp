#include "webview/loader/TCoreWebView2Environment.h"

#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

namespace {

// A text getter's answer, copied, its task memory freed; empty on failure.
template <typename Getter>
std::u16string ReadText(platform::Com& com, Getter&& getter) {
  CoTaskMemText text(com);
  if (FAILED(getter(text.Put()))) return {};
  return text.ToU16String();
}

// Receives an object of an interface declared only by name. Every interface
// begins with IUnknown's slots, so the reference is held as IUnknown.
template <typename Opaque, typename Call>
bool ReceiveOpaque(ComPtr<IUnknown>& out, Call&& call) {
  Opaque* received = nullptr;
  const HRESULT result = call(&received);
  out.Attach(reinterpret_cast<IUnknown*>(received));
  return SUCCEEDED(result) && out;
}

}  // namespace

TCoreWebView2Environment::TCoreWebView2Environment(platform::Com& com, ICoreWebView2Environment* aBaseIntf)
    : FCom(com), FVersions(aBaseIntf) {}

TCoreWebView2Environment::~TCoreWebView2Environment() {
  RemoveAllEvents();
  FVersions.Release();
}

void TCoreWebView2Environment::RemoveAllEvents() {
  // Results are not looked at: the token is given up either way.
  Unsubscribe(FVersions.Get<ICoreWebView2Environment>(),
              &ICoreWebView2Environment::remove_NewBrowserVersionAvailable,
              FNewBrowserVersionAvailableEventToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Environment5>(),
              &ICoreWebView2Environment5::remove_BrowserProcessExited, FBrowserProcessExitedEventToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Environment8>(),
              &ICoreWebView2Environment8::remove_ProcessInfosChanged, FProcessInfosChangedEventToken);
}

bool TCoreWebView2Environment::AddNewBrowserVersionAvailableEvent(IWVLoaderEvents* aEvents) {
  return aEvents != nullptr && Subscribe<TCoreWebView2NewBrowserVersionAvailableEventHandler>(
                                   FVersions.Get<ICoreWebView2Environment>(),
                                   &ICoreWebView2Environment::add_NewBrowserVersionAvailable,
                                   FNewBrowserVersionAvailableEventToken, aEvents);
}

template <typename Face>
bool TCoreWebView2Environment::AddBrowserProcessExitedEvent(Face* aEvents) {
  return aEvents != nullptr &&
         Subscribe<TCoreWebView2BrowserProcessExitedEventHandler>(
             FVersions.Get<ICoreWebView2Environment5>(), &ICoreWebView2Environment5::add_BrowserProcessExited,
             FBrowserProcessExitedEventToken, aEvents);
}

template <typename Face>
bool TCoreWebView2Environment::AddProcessInfosChangedEvent(Face* aEvents) {
  return aEvents != nullptr &&
         Subscribe<TCoreWebView2ProcessInfosChangedEventHandler>(
             FVersions.Get<ICoreWebView2Environment8>(), &ICoreWebView2Environment8::add_ProcessInfosChanged,
             FProcessInfosChangedEventToken, aEvents);
}

bool TCoreWebView2Environment::AddAllLoaderEvents(IWVLoaderEvents* aLoaderComponent) {
  return AddNewBrowserVersionAvailableEvent(aLoaderComponent) &&
         AddBrowserProcessExitedEvent(aLoaderComponent) && AddProcessInfosChangedEvent(aLoaderComponent);
}

bool TCoreWebView2Environment::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return AddBrowserProcessExitedEvent(aBrowserComponent) && AddProcessInfosChangedEvent(aBrowserComponent);
}

bool TCoreWebView2Environment::CreateCoreWebView2Controller(HWND aParentWindow,
                                                            IWVBrowserEvents* aBrowserEvents,
                                                            HRESULT& aResult) {
  aResult = E_FAIL;
  if (!FVersions.Get<ICoreWebView2Environment>()) return false;
  auto sink = MakeComObject<TCoreWebView2CreateCoreWebView2ControllerCompletedHandler>(aBrowserEvents);
  aResult =
      FVersions.Get<ICoreWebView2Environment>()->CreateCoreWebView2Controller(aParentWindow, sink.Get());
  return SUCCEEDED(aResult);
}

bool TCoreWebView2Environment::CreateWebResourceResponse(
    IStream* aContent, std::int32_t aStatusCode, const std::u16string& aReasonPhrase,
    const std::u16string& aHeaders, ComPtr<ICoreWebView2WebResourceResponse>& aResponse) {
  aResponse.Reset();
  if (!FVersions.Get<ICoreWebView2Environment>()) return false;
  return SUCCEEDED(FVersions.Get<ICoreWebView2Environment>()->CreateWebResourceResponse(
      aContent, aStatusCode, AsWideText(aReasonPhrase), AsWideText(aHeaders), aResponse.Put()));
}

std::u16string TCoreWebView2Environment::BrowserVersionInfo() {
  if (!FVersions.Get<ICoreWebView2Environment>()) return {};
  return ReadText(FCom, [&](LPWSTR* value) {
    return FVersions.Get<ICoreWebView2Environment>()->get_BrowserVersionString(value);
  });
}

bool TCoreWebView2Environment::CreateWebResourceRequest(const std::u16string& aURI,
                                                        const std::u16string& aMethod, IStream* aPostData,
                                                        const std::u16string& aHeaders,
                                                        ComPtr<ICoreWebView2WebResourceRequest>& aRequest) {
  aRequest.Reset();
  if (!FVersions.Get<ICoreWebView2Environment2>()) return false;
  return SUCCEEDED(FVersions.Get<ICoreWebView2Environment2>()->CreateWebResourceRequest(
      AsWideText(aURI), AsWideText(aMethod), aPostData, AsWideText(aHeaders), aRequest.Put()));
}

bool TCoreWebView2Environment::CreateCoreWebView2CompositionController(HWND aParentWindow,
                                                                       IWVBrowserEvents* aBrowserEvents,
                                                                       HRESULT& aResult) {
  aResult = E_FAIL;
  if (!FVersions.Get<ICoreWebView2Environment3>()) return false;
  auto sink =
      MakeComObject<TCoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler>(aBrowserEvents);
  aResult = FVersions.Get<ICoreWebView2Environment3>()->CreateCoreWebView2CompositionController(aParentWindow,
                                                                                                sink.Get());
  return SUCCEEDED(aResult);
}

bool TCoreWebView2Environment::CreateCoreWebView2PointerInfo(ComPtr<IUnknown>& aPointerInfo) {
  aPointerInfo.Reset();
  if (!FVersions.Get<ICoreWebView2Environment3>()) return false;
  return ReceiveOpaque<ICoreWebView2PointerInfo>(aPointerInfo, [&](ICoreWebView2PointerInfo** value) {
    return FVersions.Get<ICoreWebView2Environment3>()->CreateCoreWebView2PointerInfo(value);
  });
}

bool TCoreWebView2Environment::GetAutomationProviderForWindow(HWND aHandle, ComPtr<IUnknown>& aProvider) {
  aProvider.Reset();
  if (!FVersions.Get<ICoreWebView2Environment4>()) return false;
  return SUCCEEDED(
      FVersions.Get<ICoreWebView2Environment4>()->GetAutomationProviderForWindow(aHandle, aProvider.Put()));
}

bool TCoreWebView2Environment::CreatePrintSettings(ComPtr<ICoreWebView2PrintSettings>& aPrintSettings) {
  aPrintSettings.Reset();
  if (!FVersions.Get<ICoreWebView2Environment6>()) return false;
  return SUCCEEDED(FVersions.Get<ICoreWebView2Environment6>()->CreatePrintSettings(aPrintSettings.Put())) &&
         aPrintSettings;
}

std::u16string TCoreWebView2Environment::UserDataFolder() {
  if (!FVersions.Get<ICoreWebView2Environment7>()) return {};
  return ReadText(FCom, [&](LPWSTR* value) {
    return FVersions.Get<ICoreWebView2Environment7>()->get_UserDataFolder(value);
  });
}

ComPtr<ICoreWebView2ProcessInfoCollection> TCoreWebView2Environment::ProcessInfos() {
  ComPtr<ICoreWebView2ProcessInfoCollection> collection;
  if (!FVersions.Get<ICoreWebView2Environment8>() ||
      FAILED(FVersions.Get<ICoreWebView2Environment8>()->GetProcessInfos(collection.Put())))
    collection.Reset();
  return collection;
}

bool TCoreWebView2Environment::CreateContextMenuItem(const std::u16string& aLabel, IStream* aIconStream,
                                                     COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND aKind,
                                                     ComPtr<IUnknown>& aMenuItem) {
  aMenuItem.Reset();
  if (!FVersions.Get<ICoreWebView2Environment9>()) return false;
  return ReceiveOpaque<ICoreWebView2ContextMenuItem>(aMenuItem, [&](ICoreWebView2ContextMenuItem** value) {
    return FVersions.Get<ICoreWebView2Environment9>()->CreateContextMenuItem(AsWideText(aLabel), aIconStream,
                                                                             aKind, value);
  });
}

bool TCoreWebView2Environment::CreateCoreWebView2ControllerOptions(
    ComPtr<ICoreWebView2ControllerOptions>& aOptions, HRESULT& aResult) {
  aOptions.Reset();
  if (!FVersions.Get<ICoreWebView2Environment10>()) {
    aResult = E_NOTIMPL;
    return false;
  }
  aResult = FVersions.Get<ICoreWebView2Environment10>()->CreateCoreWebView2ControllerOptions(aOptions.Put());
  return SUCCEEDED(aResult);
}

bool TCoreWebView2Environment::CreateCoreWebView2ControllerWithOptions(
    HWND aParentWindow, ICoreWebView2ControllerOptions* aOptions, HRESULT& aResult,
    IWVBrowserEvents* aBrowserEvents) {
  aResult = E_FAIL;
  if (!FVersions.Get<ICoreWebView2Environment10>()) return false;
  auto sink = MakeComObject<TCoreWebView2CreateCoreWebView2ControllerCompletedHandler>(aBrowserEvents);
  aResult = FVersions.Get<ICoreWebView2Environment10>()->CreateCoreWebView2ControllerWithOptions(
      aParentWindow, aOptions, sink.Get());
  return SUCCEEDED(aResult);
}

bool TCoreWebView2Environment::CreateCoreWebView2CompositionControllerWithOptions(
    HWND aParentWindow, ICoreWebView2ControllerOptions* aOptions, HRESULT& aResult,
    IWVBrowserEvents* aBrowserEvents) {
  aResult = E_FAIL;
  if (!FVersions.Get<ICoreWebView2Environment10>()) return false;
  auto sink =
      MakeComObject<TCoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler>(aBrowserEvents);
  aResult = FVersions.Get<ICoreWebView2Environment10>()->CreateCoreWebView2CompositionControllerWithOptions(
      aParentWindow, aOptions, sink.Get());
  return SUCCEEDED(aResult);
}

std::u16string TCoreWebView2Environment::FailureReportFolderPath() {
  if (!FVersions.Get<ICoreWebView2Environment11>()) return {};
  return ReadText(FCom, [&](LPWSTR* value) {
    return FVersions.Get<ICoreWebView2Environment11>()->get_FailureReportFolderPath(value);
  });
}

bool TCoreWebView2Environment::CreateSharedBuffer(std::uint64_t aSize, ComPtr<IUnknown>& aSharedBuffer) {
  aSharedBuffer.Reset();
  if (!FVersions.Get<ICoreWebView2Environment12>()) return false;
  return ReceiveOpaque<ICoreWebView2SharedBuffer>(aSharedBuffer, [&](ICoreWebView2SharedBuffer** value) {
    return FVersions.Get<ICoreWebView2Environment12>()->CreateSharedBuffer(aSize, value);
  });
}

bool TCoreWebView2Environment::GetProcessExtendedInfos(IWVBrowserEvents* aBrowserEvents) {
  if (!FVersions.Get<ICoreWebView2Environment13>()) return false;
  auto sink = MakeComObject<TCoreWebView2GetProcessExtendedInfosCompletedHandler>(aBrowserEvents);
  return SUCCEEDED(FVersions.Get<ICoreWebView2Environment13>()->GetProcessExtendedInfos(sink.Get()));
}

bool TCoreWebView2Environment::CreateWebFileSystemFileHandle(
    const std::u16string& aPath, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION aPermission,
    ComPtr<IUnknown>& aValue) {
  aValue.Reset();
  if (!FVersions.Get<ICoreWebView2Environment14>()) return false;
  return ReceiveOpaque<ICoreWebView2FileSystemHandle>(aValue, [&](ICoreWebView2FileSystemHandle** value) {
    return FVersions.Get<ICoreWebView2Environment14>()->CreateWebFileSystemFileHandle(AsWideText(aPath),
                                                                                      aPermission, value);
  });
}

bool TCoreWebView2Environment::CreateWebFileSystemDirectoryHandle(
    const std::u16string& aPath, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION aPermission,
    ComPtr<IUnknown>& aValue) {
  aValue.Reset();
  if (!FVersions.Get<ICoreWebView2Environment14>()) return false;
  return ReceiveOpaque<ICoreWebView2FileSystemHandle>(aValue, [&](ICoreWebView2FileSystemHandle** value) {
    return FVersions.Get<ICoreWebView2Environment14>()->CreateWebFileSystemDirectoryHandle(
        AsWideText(aPath), aPermission, value);
  });
}

bool TCoreWebView2Environment::CreateObjectCollection(std::uint32_t aLength, IUnknown** aItems,
                                                      ComPtr<IUnknown>& aObjectCollection) {
  aObjectCollection.Reset();
  if (!FVersions.Get<ICoreWebView2Environment14>()) return false;
  return ReceiveOpaque<ICoreWebView2ObjectCollection>(
      aObjectCollection, [&](ICoreWebView2ObjectCollection** value) {
        return FVersions.Get<ICoreWebView2Environment14>()->CreateObjectCollection(aLength, aItems, value);
      });
}

}  // namespace velmoran::webview
