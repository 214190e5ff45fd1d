#pragma once

// The events the simulated runtime was asked to subscribe to and to
// unsubscribe from, in the order the requests reached it, and the order in
// which the wrappers make their subscriptions.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/sim/SimRuntimeObserver.h"

namespace velmoran::test {

class SubscriptionLog final : public runtime::sim::SimRuntimeObserver {
 public:
  void Subscribed(std::string_view event) override { subscribed.emplace_back(event); }
  void Unsubscribed(std::string_view event) override { unsubscribed.emplace_back(event); }

  std::vector<std::string> subscribed;
  std::vector<std::string> unsubscribed;
};

// The webview's events in the order its wrapper subscribes to them; each
// later interface version adds its events at the end.
inline const std::vector<std::string>& WebViewEventsInOrder() {
  static const std::vector<std::string> events{"NavigationStarting",
                                               "NavigationCompleted",
                                               "SourceChanged",
                                               "HistoryChanged",
                                               "ContentLoading",
                                               "DocumentTitleChanged",
                                               "NewWindowRequested",
                                               "FrameNavigationStarting",
                                               "FrameNavigationCompleted",
                                               "WebResourceRequested",
                                               "ScriptDialogOpening",
                                               "PermissionRequested",
                                               "ProcessFailed",
                                               "WebMessageReceived",
                                               "ContainsFullScreenElementChanged",
                                               "WindowCloseRequested",
                                               "WebResourceResponseReceived",
                                               "DOMContentLoaded",
                                               "FrameCreated",
                                               "DownloadStarting",
                                               "ClientCertificateRequested",
                                               "IsMutedChanged",
                                               "IsDocumentPlayingAudioChanged",
                                               "IsDefaultDownloadDialogOpenChanged",
                                               "BasicAuthenticationRequested",
                                               "ContextMenuRequested",
                                               "StatusBarTextChanged",
                                               "ServerCertificateErrorDetected",
                                               "FaviconChanged",
                                               "LaunchingExternalUriScheme",
                                               "NotificationReceived",
                                               "SaveAsUIShowing",
                                               "SaveFileSecurityCheckStarting",
                                               "ScreenCaptureStarting"};
  return events;
}

inline const std::vector<std::string>& ControllerEventsInOrder() {
  static const std::vector<std::string> events{
      "AcceleratorKeyPressed", "GotFocus",          "LostFocus",
      "MoveFocusRequested",    "ZoomFactorChanged", "RasterizationScaleChanged"};
  return events;
}

// The first events of `events`, up to and including `last`.
inline std::vector<std::string> EventsUpTo(const std::vector<std::string>& events, std::string_view last) {
  const auto end = std::find(events.begin(), events.end(), last);
  return {events.begin(), end == events.end() ? end : end + 1};
}

}  // namespace velmoran::test
