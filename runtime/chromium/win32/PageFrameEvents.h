#pragma once

// What happens to the page's frames and downloads, for the webview object to
// raise as the events of its frames and of its download operations. The
// frames' events are the FrameTracker's, passed on as they come.

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/chromium/FrameTracker.h"

namespace velmoran::runtime::chromium {

class PageFrameEvents : public FrameObserver {
 public:
  // A frame's script posted a message to the host.
  virtual void FrameWebMessageReceived(std::uint32_t frameId, std::u16string messageAsJson) = 0;
  // Browser.downloadWillBegin.
  virtual void DownloadWillBegin(std::u16string_view guid, std::u16string_view url,
                                 std::u16string_view suggestedFilename) = 0;
  // Browser.downloadProgress.
  virtual void DownloadProgress(std::u16string_view guid, std::u16string_view state, double receivedBytes,
                                double totalBytes) = 0;

 protected:
  ~PageFrameEvents() = default;
};

}  // namespace velmoran::runtime::chromium
