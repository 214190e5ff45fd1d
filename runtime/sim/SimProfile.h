#pragma once

// The simulated profile: its name, private mode and path are stored values;
// Delete raises the Deleted event on the next pump of the message queue.

#include <memory>
#include <string>
#include <utility>

#include "runtime/sim/SimProfileBase.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

class SimProfile final : public SimProfileBase {
 public:
  SimProfile(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions, std::u16string profileName,
             bool isInPrivateModeEnabled)
      : SimProfileBase(std::move(context), std::move(versions)) {
    const std::u16string name = profileName.empty() ? u"Default" : profileName;
    values_.Write("ProfilePath", u"C:\\CustomCache\\EBWebView\\" + name);
    values_.Write("ProfileName", std::move(profileName));
    values_.Write<BOOL>("IsInPrivateModeEnabled", isInPrivateModeEnabled ? TRUE : FALSE);
  }

  HRESULT WV2_STDCALL Delete() override {
    if (const HRESULT scripted = Context().CallResult("Delete"); FAILED(scripted)) return scripted;
    webview::ComPtr<SimProfile> self(this);
    Context().Post([self] {
      self->events_.Raise<ICoreWebView2ProfileDeletedEventHandler>(
          "Deleted", static_cast<ICoreWebView2Profile*>(self.Get()), static_cast<IUnknown*>(nullptr));
    });
    return S_OK;
  }
};

}  // namespace velmoran::runtime::sim
