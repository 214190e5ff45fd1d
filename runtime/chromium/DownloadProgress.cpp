#include "runtime/chromium/DownloadProgress.h"

#include <cmath>

namespace velmoran::runtime::chromium {

namespace {

// Chromium's byte counts are JSON numbers; anything that is no count reads as none.
std::int64_t ByteCount(double value) {
  if (!std::isfinite(value) || value < 0 || value > 9.0e15) return 0;
  return static_cast<std::int64_t>(value);
}

}  // namespace

DownloadChanges ApplyDownloadProgress(DownloadStatus& status, std::u16string_view state, double receivedBytes,
                                      double totalBytes) {
  DownloadChanges changes;
  if (status.state != COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS) return changes;
  const std::int64_t total = ByteCount(totalBytes);
  if (total > 0) status.totalBytesToReceive = total;
  const std::int64_t received = ByteCount(receivedBytes);
  if (received != status.bytesReceived) {
    status.bytesReceived = received;
    changes.bytesReceived = true;
  }
  if (state == u"completed") {
    status.state = COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED;
    changes.state = true;
  } else if (state == u"canceled") {
    status.state = COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED;
    status.interruptReason = status.cancelRequested ? COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_USER_CANCELED
                                                    : COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NETWORK_FAILED;
    changes.state = true;
  }
  return changes;
}

}  // namespace velmoran::runtime::chromium
