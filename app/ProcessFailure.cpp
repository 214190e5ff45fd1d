#include "app/ProcessFailure.h"

#include "base/Text.h"
#include "webview/abi/CoTaskMemText.h"

namespace velmoran::app {

ProcessFailure ReadProcessFailure(platform::Com& com, ICoreWebView2ProcessFailedEventArgs* args) {
  ProcessFailure failure;
  if (args == nullptr) return failure;
  COREWEBVIEW2_PROCESS_FAILED_KIND kind{};
  if (SUCCEEDED(args->get_ProcessFailedKind(&kind))) failure.kind = kind;
  webview::ComPtr<ICoreWebView2ProcessFailedEventArgs2> details;
  if (FAILED(webview::ComPtr<ICoreWebView2ProcessFailedEventArgs>(args).As(
          IID_ICoreWebView2ProcessFailedEventArgs2, details)) ||
      !details) {
    return failure;
  }
  COREWEBVIEW2_PROCESS_FAILED_REASON reason{};
  if (SUCCEEDED(details->get_Reason(&reason))) failure.reason = reason;
  int exitCode = 0;
  if (SUCCEEDED(details->get_ExitCode(&exitCode))) failure.exitCode = static_cast<std::int32_t>(exitCode);
  webview::CoTaskMemText description(com);
  if (SUCCEEDED(details->get_ProcessDescription(description.Put())))
    failure.processDescription = description.ToU16String();
  return failure;
}

std::u16string ProcessFailureText(const ProcessFailure& failure) {
  std::u16string text(kProcessFailedPrefix);
  text += u"종류 " + DecimalText(static_cast<std::int64_t>(failure.kind));
  if (failure.reason) text += u", 원인 " + DecimalText(static_cast<std::int64_t>(*failure.reason));
  if (failure.exitCode) text += u", 종료 코드 " + DecimalText(*failure.exitCode);
  if (!failure.processDescription.empty()) text += u", 프로세스 " + failure.processDescription;
  return text;
}

ProcessRecovery RecoveryFor(COREWEBVIEW2_PROCESS_FAILED_KIND kind) {
  switch (kind) {
    case COREWEBVIEW2_PROCESS_FAILED_KIND_BROWSER_PROCESS_EXITED:
      return ProcessRecovery::RecreateBrowser;
    case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED:
    case COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_UNRESPONSIVE:
      return ProcessRecovery::ReloadPage;
    default:
      return ProcessRecovery::None;
  }
}

}  // namespace velmoran::app
