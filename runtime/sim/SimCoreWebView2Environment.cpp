#include "runtime/sim/SimCoreWebView2Environment.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/sim/SimBrowserProcessExitedEventArgs.h"
#include "runtime/sim/SimControllerFactory.h"
#include "runtime/sim/SimProcessFailedEventArgs.h"
#include "runtime/sim/SimProcessInfo.h"
#include "runtime/sim/SimProcessInfoCollection.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WebView2Ids.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;

namespace {

const std::array<const IID*, 14> kEnvironmentIds = {
    &IID_ICoreWebView2Environment,   &IID_ICoreWebView2Environment2,  &IID_ICoreWebView2Environment3,
    &IID_ICoreWebView2Environment4,  &IID_ICoreWebView2Environment5,  &IID_ICoreWebView2Environment6,
    &IID_ICoreWebView2Environment7,  &IID_ICoreWebView2Environment8,  &IID_ICoreWebView2Environment9,
    &IID_ICoreWebView2Environment10, &IID_ICoreWebView2Environment11, &IID_ICoreWebView2Environment12,
    &IID_ICoreWebView2Environment13, &IID_ICoreWebView2Environment14};

template <typename Out>
void Clear(Out** value) {
  if (value != nullptr) *value = nullptr;
}

std::u16string ExecutablePath(platform::Process& process) {
  constexpr std::uint32_t kLongestPath = 32768;
  std::u16string path;
  return process.GetModuleFileNameW(kLongestPath, path) ? path : std::u16string();
}

}  // namespace

SimCoreWebView2Environment::SimCoreWebView2Environment(std::shared_ptr<SimRuntimeContext> context,
                                                       SimEnvironmentRequest request)
    : SimCountedObject(std::move(context)), request_(std::move(request)) {
  Context().AddEnvironment(this);
}

SimCoreWebView2Environment::~SimCoreWebView2Environment() { Context().RemoveEnvironment(this); }

std::uint32_t SimCoreWebView2Environment::EnvironmentVersionOf(REFIID riid) {
  for (std::size_t i = 0; i < kEnvironmentIds.size(); ++i) {
    if (riid == *kEnvironmentIds[i]) return static_cast<std::uint32_t>(i + 1);
  }
  return 0;
}

HRESULT SimCoreWebView2Environment::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const std::uint32_t version = EnvironmentVersionOf(riid);
  if (version > 0) {
    const SimRuntimeConfig& config = Context().Config();
    if (version > config.highestEnvironmentVersion || config.refusedEnvironmentVersions.count(version) > 0) {
      return E_NOINTERFACE;
    }
  }
  return BasicComObject::QueryInterface(riid, object);
}

HRESULT SimCoreWebView2Environment::AnswerText(const char* method, const std::u16string& text,
                                               LPWSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
  *value = webview::CoTaskMemDup(Context().Com(), text);
  return *value == nullptr ? E_OUTOFMEMORY : S_OK;
}

std::u16string SimCoreWebView2Environment::UserDataFolderText() {
  if (!request_.userDataFolder.empty()) return request_.userDataFolder;
  // The runtime's own choice: "<executable>.WebView2" beside the executable.
  return ExecutablePath(Context().Platform().process()) + u".WebView2";
}

template <typename Handler>
HRESULT SimCoreWebView2Environment::Subscribe(const char* method,
                                              std::map<std::int64_t, ComPtr<Handler>>& handlers,
                                              Handler* handler, EventRegistrationToken* token) {
  if (handler == nullptr || token == nullptr) return E_POINTER;
  if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
  *token = Context().NextToken();
  handlers.emplace(token->value, ComPtr<Handler>(handler));
  Context().Observer().Subscribed(std::string_view(method).substr(4));  // after "add_"
  return S_OK;
}

template <typename Handler>
HRESULT SimCoreWebView2Environment::Unsubscribe(const char* method,
                                                std::map<std::int64_t, ComPtr<Handler>>& handlers,
                                                EventRegistrationToken token) {
  if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
  // Removing a token that is not subscribed is harmless, as in the runtime.
  if (handlers.erase(token.value) > 0) {
    Context().Observer().Unsubscribed(std::string_view(method).substr(7));  // after "remove_"
  }
  return S_OK;
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2Controller(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  return CreateCoreWebView2ControllerWithOptions(parentWindow, nullptr, handler);
}

HRESULT SimCoreWebView2Environment::CreateWebResourceResponse(IStream* /*content*/, int /*statusCode*/,
                                                              LPCWSTR /*reasonPhrase*/, LPCWSTR /*headers*/,
                                                              ICoreWebView2WebResourceResponse** response) {
  Clear(response);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::get_BrowserVersionString(LPWSTR* versionInfo) {
  return AnswerText("get_BrowserVersionString", Context().Config().browserVersion, versionInfo);
}

HRESULT SimCoreWebView2Environment::add_NewBrowserVersionAvailable(
    ICoreWebView2NewBrowserVersionAvailableEventHandler* eventHandler, EventRegistrationToken* token) {
  return Subscribe("add_NewBrowserVersionAvailable", newVersionHandlers_, eventHandler, token);
}

HRESULT SimCoreWebView2Environment::remove_NewBrowserVersionAvailable(EventRegistrationToken token) {
  return Unsubscribe("remove_NewBrowserVersionAvailable", newVersionHandlers_, token);
}

HRESULT SimCoreWebView2Environment::CreateWebResourceRequest(LPCWSTR /*uri*/, LPCWSTR /*method*/,
                                                             IStream* /*postData*/, LPCWSTR /*headers*/,
                                                             ICoreWebView2WebResourceRequest** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2CompositionController(
    HWND parentWindow, ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) {
  return CreateCoreWebView2CompositionControllerWithOptions(parentWindow, nullptr, handler);
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2PointerInfo(ICoreWebView2PointerInfo** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::GetAutomationProviderForWindow(HWND /*hwnd*/, IUnknown** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::add_BrowserProcessExited(
    ICoreWebView2BrowserProcessExitedEventHandler* eventHandler, EventRegistrationToken* token) {
  return Subscribe("add_BrowserProcessExited", processExitedHandlers_, eventHandler, token);
}

HRESULT SimCoreWebView2Environment::remove_BrowserProcessExited(EventRegistrationToken token) {
  return Unsubscribe("remove_BrowserProcessExited", processExitedHandlers_, token);
}

HRESULT SimCoreWebView2Environment::CreatePrintSettings(ICoreWebView2PrintSettings** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (const HRESULT scripted = Context().CallResult("CreatePrintSettings"); FAILED(scripted)) return scripted;
  SimControllerFactory* factory = Context().ControllerFactory();
  return factory == nullptr ? E_NOTIMPL : factory->CreatePrintSettings(*this, value);
}

HRESULT SimCoreWebView2Environment::get_UserDataFolder(LPWSTR* value) {
  return AnswerText("get_UserDataFolder", UserDataFolderText(), value);
}

HRESULT SimCoreWebView2Environment::add_ProcessInfosChanged(
    ICoreWebView2ProcessInfosChangedEventHandler* eventHandler, EventRegistrationToken* token) {
  return Subscribe("add_ProcessInfosChanged", processInfosHandlers_, eventHandler, token);
}

HRESULT SimCoreWebView2Environment::remove_ProcessInfosChanged(EventRegistrationToken token) {
  return Unsubscribe("remove_ProcessInfosChanged", processInfosHandlers_, token);
}

HRESULT SimCoreWebView2Environment::GetProcessInfos(ICoreWebView2ProcessInfoCollection** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (const HRESULT scripted = Context().CallResult("GetProcessInfos"); FAILED(scripted)) return scripted;
  std::vector<ComPtr<ICoreWebView2ProcessInfo>> items;
  items.emplace_back(webview::MakeComObject<SimProcessInfo>(
      SharedContext(), static_cast<INT32>(Context().Config().browserProcessId),
      COREWEBVIEW2_PROCESS_KIND_BROWSER));
  *value = webview::MakeComObject<SimProcessInfoCollection>(SharedContext(), std::move(items)).Detach();
  return S_OK;
}

HRESULT SimCoreWebView2Environment::CreateContextMenuItem(LPCWSTR label, IStream* /*iconStream*/,
                                                          COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind,
                                                          ICoreWebView2ContextMenuItem** value) {
  if (value == nullptr) return E_POINTER;
  Clear(value);
  if (const HRESULT scripted = Context().CallResult("CreateContextMenuItem"); FAILED(scripted))
    return scripted;
  SimControllerFactory* factory = Context().ControllerFactory();
  return factory == nullptr ? E_NOTIMPL : factory->CreateContextMenuItem(*this, label, kind, value);
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2ControllerOptions(
    ICoreWebView2ControllerOptions** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (const HRESULT scripted = Context().CallResult("CreateCoreWebView2ControllerOptions");
      FAILED(scripted)) {
    return scripted;
  }
  SimControllerFactory* factory = Context().ControllerFactory();
  return factory == nullptr ? E_NOTIMPL : factory->CreateControllerOptions(*this, value);
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2ControllerWithOptions(
    HWND parentWindow, ICoreWebView2ControllerOptions* options,
    ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  Context().ControllerRequests().push_back(parentWindow);
  const char* method =
      options == nullptr ? "CreateCoreWebView2Controller" : "CreateCoreWebView2ControllerWithOptions";
  if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  SimControllerFactory* factory = Context().ControllerFactory();
  return factory == nullptr ? E_NOTIMPL : factory->CreateController(*this, parentWindow, options, handler);
}

HRESULT SimCoreWebView2Environment::CreateCoreWebView2CompositionControllerWithOptions(
    HWND parentWindow, ICoreWebView2ControllerOptions* options,
    ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  Context().ControllerRequests().push_back(parentWindow);
  const char* method = options == nullptr ? "CreateCoreWebView2CompositionController"
                                          : "CreateCoreWebView2CompositionControllerWithOptions";
  if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
  if (browserProcessGone_) return kBrowserProcessGone;
  SimControllerFactory* factory = Context().ControllerFactory();
  return factory == nullptr ? E_NOTIMPL
                            : factory->CreateCompositionController(*this, parentWindow, options, handler);
}

HRESULT SimCoreWebView2Environment::get_FailureReportFolderPath(LPWSTR* value) {
  return AnswerText("get_FailureReportFolderPath", UserDataFolderText() + u"\\EBWebView\\Crashpad\\reports",
                    value);
}

HRESULT SimCoreWebView2Environment::CreateSharedBuffer(UINT64 /*size*/, ICoreWebView2SharedBuffer** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::GetProcessExtendedInfos(
    ICoreWebView2GetProcessExtendedInfosCompletedHandler* handler) {
  return handler == nullptr ? E_POINTER : E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::CreateWebFileSystemFileHandle(LPCWSTR /*path*/,
                                                                  COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION,
                                                                  ICoreWebView2FileSystemHandle** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::CreateWebFileSystemDirectoryHandle(
    LPCWSTR /*path*/, COREWEBVIEW2_FILE_SYSTEM_HANDLE_PERMISSION, ICoreWebView2FileSystemHandle** value) {
  Clear(value);
  return E_NOTIMPL;
}

HRESULT SimCoreWebView2Environment::CreateObjectCollection(UINT32 /*length*/, IUnknown** /*items*/,
                                                           ICoreWebView2ObjectCollection** objectCollection) {
  Clear(objectCollection);
  return E_NOTIMPL;
}

namespace {

// The handlers subscribed now, each held for the call: a handler may remove
// itself (or others) while it runs.
template <typename Handler>
std::vector<ComPtr<Handler>> Snapshot(const std::map<std::int64_t, ComPtr<Handler>>& handlers) {
  std::vector<ComPtr<Handler>> snapshot;
  snapshot.reserve(handlers.size());
  for (const auto& [token, handler] : handlers) snapshot.push_back(handler);
  return snapshot;
}

}  // namespace

void SimCoreWebView2Environment::FireNewBrowserVersionAvailable() {
  for (const auto& handler : Snapshot(newVersionHandlers_)) handler->Invoke(this, nullptr);
}

void SimCoreWebView2Environment::FireBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind) {
  auto args = webview::MakeComObject<SimBrowserProcessExitedEventArgs>(SharedContext(), kind,
                                                                       Context().Config().browserProcessId);
  for (const auto& handler : Snapshot(processExitedHandlers_)) handler->Invoke(this, args.Get());
}

void SimCoreWebView2Environment::FireProcessInfosChanged() {
  for (const auto& handler : Snapshot(processInfosHandlers_)) handler->Invoke(this, nullptr);
}

void SimCoreWebView2Environment::BrowserProcessFailed() {
  if (browserProcessGone_) return;
  browserProcessGone_ = true;
  FireBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
}

std::size_t SimCoreWebView2Environment::SubscriptionCount() const {
  return newVersionHandlers_.size() + processExitedHandlers_.size() + processInfosHandlers_.size();
}

}  // namespace velmoran::runtime::sim
