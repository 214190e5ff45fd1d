#pragma once

// The arguments of a simulated NotificationReceived: the page's origin, the
// notification it shows, and Handled, which the host sets to show it itself.

#include <memory>
#include <string>
#include <utility>

#include "runtime/sim/SimNotification.h"
#include "runtime/sim/SimNotificationReceivedEventArgsBase.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

class SimNotificationReceivedEventArgs final : public SimNotificationReceivedEventArgsBase {
 public:
  SimNotificationReceivedEventArgs(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                                   std::u16string senderOrigin, webview::ComPtr<SimNotification> notification)
      : SimNotificationReceivedEventArgsBase(std::move(context), std::move(versions)),
        notification_(std::move(notification)) {
    values_.Write<std::u16string>("SenderOrigin", std::move(senderOrigin));
    values_.Write<BOOL>("Handled", FALSE);
  }

  HRESULT WV2_STDCALL get_Notification(ICoreWebView2Notification** value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (const HRESULT scripted = Context().CallResult("get_Notification"); FAILED(scripted)) return scripted;
    *value = webview::ComPtr<ICoreWebView2Notification>(notification_).Detach();
    return S_OK;
  }

 private:
  webview::ComPtr<SimNotification> notification_;
};

}  // namespace velmoran::runtime::sim
