#pragma once

// What a test chooses about the simulated runtime's controller side: how far
// each object's interface versions go, how controller creation ends, how each
// navigation ends and how each script completes. Read at the time of each
// call, so a test may change them between calls.

#include <cstdint>
#include <map>
#include <string>

#include "runtime/sim/SimRuntimeConfig.h"
#include "runtime/sim/SimVersionLimit.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::sim {

struct SimControllerConfig {
  SimVersionLimit controllerVersions{4, {}};
  SimVersionLimit webViewVersions{27, {}};
  SimVersionLimit settingsVersions{9, {}};
  SimVersionLimit profileVersions{8, {}};
  SimVersionLimit printSettingsVersions{2, {}};
  SimVersionLimit controllerOptionsVersions{2, {}};
  // Frames (and their FrameCreated arguments) and downloads (and their
  // DownloadStarting arguments) carry ids of our own: 0 is a runtime that
  // only knows the published ones, where every such QueryInterface is refused.
  SimVersionLimit frameVersions{6, {}};
  SimVersionLimit downloadVersions{1, {}};
  // Our own declarations: the composition controller's versions, the
  // application's context menu items and the page's notifications (version 1
  // each; 0 refuses even that, as a runtime that knows other ids would).
  SimVersionLimit compositionControllerVersions{4, {}};
  SimVersionLimit contextMenuItemVersions{1, {}};
  SimVersionLimit notificationReceivedArgsVersions{1, {}};
  SimVersionLimit notificationVersions{1, {}};

  // CreateCoreWebView2Controller(WithOptions): the call's answer, the code the
  // completion brings, and whether it brings no controller.
  SimCallOutcome createController;

  // Each navigation: success, or failure with this web error status.
  bool navigationSucceeds = true;
  COREWEBVIEW2_WEB_ERROR_STATUS navigationErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
  // Navigations of a webview, by number (1 for its first), that fail with the
  // given web error status whatever navigationSucceeds says.
  std::map<std::uint64_t, COREWEBVIEW2_WEB_ERROR_STATUS> failingNavigations;

  // Each ExecuteScript completion: its code and its result text (JSON).
  HRESULT scriptCompletion = S_OK;
  std::u16string scriptResult = u"null";
};

}  // namespace velmoran::runtime::sim
