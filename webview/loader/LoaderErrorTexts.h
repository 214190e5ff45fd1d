#pragma once

// Every text the loader writes to its error log, and the tables that turn a
// failed HRESULT into words. The browser control uses the controller tables
// when a controller cannot be made.

#include <cstdint>
#include <string>

#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

inline constexpr char16_t kLibraryProceduresError[] = u"There was a problem loading the library procedures";
inline constexpr char16_t kOldRuntimeWarning[] =
    u"The WebView Runtime version is older than expected! Some Quillmoor features won't work.";
inline constexpr char16_t kEnvironmentRequestError[] =
    u"There was an error creating the browser environment. (1)";
inline constexpr char16_t kEnvironmentAnswerError[] =
    u"There was a problem initializing the browser environment.";
inline constexpr char16_t kErrorLoadingPrefix[] = u"Error loading ";
inline constexpr char16_t kUnexpectedErrorResult[] = u"Unexpected error result.";
inline constexpr char16_t kErrorDialogCaption[] = u"Error";

// "Error code : 0x80004005": the code's 32-bit pattern as eight upper-case hexadecimal digits.
std::u16string ErrorCodeText(std::uint32_t code);
inline std::u16string ErrorCodeText(HRESULT result) {
  return ErrorCodeText(static_cast<std::uint32_t>(result));
}

// Why CoInitializeEx failed.
std::u16string CoInitializeExErrorText(HRESULT result);
// Why the environment could not be created.
std::u16string EnvironmentErrorText(HRESULT result);
// Why a controller, a composition controller or controller options could not be created.
std::u16string ControllerErrorText(HRESULT result);
std::u16string CompositionControllerErrorText(HRESULT result);
std::u16string ControllerOptionsErrorText(HRESULT result);

}  // namespace velmoran::webview
