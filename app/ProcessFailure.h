#pragma once

// What the runtime tells of a process of the browser that failed, read from
// its ProcessFailed arguments, and what the shell does about each kind.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"

namespace velmoran::app {

inline constexpr std::u16string_view kProcessFailedPrefix = u"브라우저 프로세스 실패: ";

struct ProcessFailure {
  COREWEBVIEW2_PROCESS_FAILED_KIND kind = COREWEBVIEW2_PROCESS_FAILED_KIND_UNKNOWN_PROCESS_EXITED;
  // Only from a runtime whose arguments are of the second version or later.
  std::optional<COREWEBVIEW2_PROCESS_FAILED_REASON> reason;
  std::optional<std::int32_t> exitCode;
  std::u16string processDescription;
};

// Arguments that cannot be read give an unknown process, and no details.
ProcessFailure ReadProcessFailure(platform::Com& com, ICoreWebView2ProcessFailedEventArgs* args);

// One log line: "브라우저 프로세스 실패: 종류 <kind>, 원인 <reason>, 종료 코드 <code>, 프로세스
// <description>", each detail only when the runtime gave it.
std::u16string ProcessFailureText(const ProcessFailure& failure);

enum class ProcessRecovery : std::uint8_t {
  // The runtime replaces the process itself (a frame's renderer, the GPU, a utility...).
  None,
  // The page's renderer is gone or hangs: the runtime made a new one showing an error page.
  ReloadPage,
  // The browser process is gone, and the webview and environment with it.
  RecreateBrowser,
};

ProcessRecovery RecoveryFor(COREWEBVIEW2_PROCESS_FAILED_KIND kind);

}  // namespace velmoran::app
