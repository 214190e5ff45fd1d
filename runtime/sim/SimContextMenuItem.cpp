#include "runtime/sim/SimContextMenuItem.h"

#include <utility>

#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

SimContextMenuItem::SimContextMenuItem(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                                       std::u16string label, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind,
                                       INT32 commandId)
    : SimContextMenuItemBase(std::move(context), std::move(versions)) {
  // The runtime names an application's item "custom" and enables it.
  values_.Write<std::u16string>("Name", u"custom");
  values_.Write<std::u16string>("Label", std::move(label));
  values_.Write<COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND>("Kind", kind);
  values_.Write<INT32>("CommandId", commandId);
  values_.Write<BOOL>("IsEnabled", TRUE);
  values_.Write<BOOL>("IsChecked", FALSE);
}

HRESULT SimContextMenuItem::get_Icon(IStream** value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  return Context().CallResult("get_Icon");
}

void SimContextMenuItem::Select() {
  webview::ComPtr<SimContextMenuItem> self(this);
  Context().Post([self] {
    self->Events().Raise<ICoreWebView2CustomItemSelectedEventHandler>(
        "CustomItemSelected", static_cast<ICoreWebView2ContextMenuItem*>(self.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

// The controller side's part: each item gets a command id of its own, as the runtime gives one.
HRESULT SimControllerSide::CreateContextMenuItem(SimCoreWebView2Environment& environment, LPCWSTR label,
                                                 COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind,
                                                 ICoreWebView2ContextMenuItem** value) {
  if (label == nullptr) return E_INVALIDARG;
  auto item = webview::MakeComObject<SimContextMenuItem>(
      environment.SharedContext(), config_.contextMenuItemVersions,
      std::u16string(webview::FromWideText(label)), kind, nextCommandId_++);
  *value = webview::ComPtr<ICoreWebView2ContextMenuItem>(item).Detach();
  return S_OK;
}

}  // namespace velmoran::runtime::sim
