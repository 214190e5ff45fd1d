#pragma once

// A download as Chromium reports it (Browser.downloadWillBegin, then
// Browser.downloadProgress again and again), turned into the state of the
// runtime's download operation and the events it raises: BytesReceivedChanged
// when more bytes arrived, StateChanged when the download completed or was
// cancelled. Chromium tells no reason for a cancelled download: one the host
// cancelled was cancelled by the user, any other failed on the network.
// Chromium has no pause, so a download is never resumable.

#include <cstdint>
#include <string_view>

#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::chromium {

struct DownloadStatus {
  COREWEBVIEW2_DOWNLOAD_STATE state = COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS;
  COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON interruptReason = COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE;
  std::int64_t bytesReceived = 0;
  // -1 while the size is not known.
  std::int64_t totalBytesToReceive = -1;
  // The host asked Chromium to cancel it.
  bool cancelRequested = false;
};

struct DownloadChanges {
  bool bytesReceived = false;
  bool state = false;
};

// Applies one Browser.downloadProgress ("inProgress", "completed" or
// "canceled", with its byte counts, 0 for an unknown total). Nothing changes
// once the download has ended.
DownloadChanges ApplyDownloadProgress(DownloadStatus& status, std::u16string_view state, double receivedBytes,
                                      double totalBytes);

}  // namespace velmoran::runtime::chromium
