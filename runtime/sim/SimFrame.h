#pragma once

// A simulated frame of the page (an iframe of the top document), as the page
// in a simulated webview makes it (SimWebViewPage::AddFrame). The test drives
// what the page does with it: rename it, navigate it (NavigationStarting, then
// on a later pump ContentLoading, DOMContentLoaded and NavigationCompleted,
// ending as the test chose), post a message from it, remove it (Destroyed,
// after which it raises nothing more and IsDestroyed answers TRUE). Nothing is
// delivered inside the call that caused it. What the host asks of the frame
// (scripts, messages) is recorded.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/sim/SimFrameBase.h"

namespace velmoran::runtime::sim {

class SimFrame final : public SimFrameBase {
 public:
  SimFrame(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions, std::u16string name,
           UINT32 frameId);

  HRESULT WV2_STDCALL IsDestroyed(BOOL* destroyed) override;
  HRESULT WV2_STDCALL ExecuteScript(LPCWSTR javaScript,
                                    ICoreWebView2ExecuteScriptCompletedHandler* handler) override;
  HRESULT WV2_STDCALL PostWebMessageAsJson(LPCWSTR webMessageAsJson) override;
  HRESULT WV2_STDCALL PostWebMessageAsString(LPCWSTR webMessageAsString) override;

  // --- What the page does with the frame ---
  void Rename(std::u16string name);
  // The frame navigates to `uri`; NavigationCompleted reports `isSuccess`.
  void Navigate(std::u16string uri, bool isSuccess = true);
  // The frame's script posts a message to the host, in its JSON form.
  void PostMessageToHost(std::u16string messageAsJson);
  // The frame is taken out of the page.
  void Remove();
  // The webview closed: the frame drops every subscription and raises nothing more.
  void Close();
  // How many subscriptions the host still held when the webview closed; none before it closed.
  std::optional<std::size_t> SubscriptionsAtClose() const { return subscriptionsAtClose_; }

  UINT32 Id() const { return frameId_; }
  bool Destroyed() const { return destroyed_; }
  const std::vector<std::u16string>& ExecutedScripts() const { return executedScripts_; }
  // Messages the host posted to the frame, each in its JSON form.
  const std::vector<std::u16string>& MessagesToFrame() const { return messagesToFrame_; }
  // The completion of every script the host runs in the frame.
  HRESULT scriptCompletion = S_OK;
  std::u16string scriptResult = u"null";

 private:
  void CompleteNavigation(UINT64 navigationId, bool isSuccess);

  UINT32 frameId_;
  UINT64 nextNavigationId_ = 1;
  bool destroyed_ = false;
  std::optional<std::size_t> subscriptionsAtClose_;
  std::vector<std::u16string> executedScripts_;
  std::vector<std::u16string> messagesToFrame_;
};

}  // namespace velmoran::runtime::sim
