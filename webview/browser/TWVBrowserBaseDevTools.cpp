#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/loader/TCoreWebView2Environment.h"
#include "webview/loader/TWVLoader.h"

// The members of the family that reach past the page's plain operations:
// DevTools protocol event subscriptions, requests filtered by their source
// kind, messages and shared buffers handed to the page's script, and the
// runtime's processes with what each one serves. Same rule as every other
// member: nothing before Initialized, then the one runtime call.

namespace velmoran::webview {

namespace {

// Requests the control refuses before any runtime call go to the loader's
// error log, the one log the control writes to.
void LogRefusal(std::u16string_view aText) {
  if (TWVLoader* loader = SharedWebViewLoader()) loader->AppendErrorLog(aText);
}

}  // namespace

bool TWVBrowserBase::SubscribeToDevToolsProtocolEvent(std::u16string_view aEventName, std::int32_t aEventID) {
  if (!Initialized()) return false;
  if (aEventName.empty()) {
    LogRefusal(u"SubscribeToDevToolsProtocolEvent: an event without a name cannot be subscribed.");
    return false;
  }
  return FCoreWebView2->SubscribeToDevToolsProtocolEvent(std::u16string(aEventName), aEventID, this);
}

HRESULT TWVBrowserBase::HandleDevToolsProtocolEventReceived(
    ICoreWebView2* sender, ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args,
    const std::u16string& eventName, std::int32_t eventID) {
  // The arguments' interface is ours by id, so the application gets them as
  // what every interface is and asks for ours by QueryInterface.
  NotifyDevToolsProtocolEventReceived(sender, args, eventName, eventID);
  return S_OK;
}

bool TWVBrowserBase::AddWebResourceRequestedFilterWithRequestSourceKinds(
    std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds) {
  return Initialized() && FCoreWebView2->AddWebResourceRequestedFilterWithRequestSourceKinds(
                              std::u16string(aURI), aContext, aRequestSourceKinds);
}

bool TWVBrowserBase::RemoveWebResourceRequestedFilterWithRequestSourceKinds(
    std::u16string_view aURI, COREWEBVIEW2_WEB_RESOURCE_CONTEXT aContext,
    COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS aRequestSourceKinds) {
  return Initialized() && FCoreWebView2->RemoveWebResourceRequestedFilterWithRequestSourceKinds(
                              std::u16string(aURI), aContext, aRequestSourceKinds);
}

bool TWVBrowserBase::PostWebMessageAsJsonWithAdditionalObjects(
    std::u16string_view aWebMessageAsJson, ICoreWebView2ObjectCollectionView* aAdditionalObjects) {
  return Initialized() && FCoreWebView2->PostWebMessageAsJsonWithAdditionalObjects(
                              std::u16string(aWebMessageAsJson), aAdditionalObjects);
}

bool TWVBrowserBase::GetProcessExtendedInfos() {
  return Initialized() && FCoreWebView2Environment->GetProcessExtendedInfos(this);
}

bool TWVBrowserBase::CreateSharedBuffer(std::uint64_t aSize, ComPtr<IUnknown>& aSharedBuffer) {
  aSharedBuffer.Reset();
  return Initialized() && FCoreWebView2Environment->CreateSharedBuffer(aSize, aSharedBuffer);
}

bool TWVBrowserBase::PostSharedBufferToScript(IUnknown* aSharedBuffer,
                                              COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                              std::u16string_view aAdditionalDataAsJson) {
  if (!Initialized()) return false;
  if (aSharedBuffer == nullptr) {
    LogRefusal(u"PostSharedBufferToScript: no buffer to post.");
    return false;
  }
  // Handed out by CreateSharedBuffer as the IUnknown at the start of the
  // buffer's own interface: the same pointer, given back as what it was.
  return FCoreWebView2->PostSharedBufferToScript(reinterpret_cast<ICoreWebView2SharedBuffer*>(aSharedBuffer),
                                                 aAccess, std::u16string(aAdditionalDataAsJson));
}

}  // namespace velmoran::webview
