#include "webview/loader/LoaderErrorTexts.h"

#include <cstdint>
#include <initializer_list>

#include "base/Text.h"

namespace velmoran::webview {

namespace {

struct ErrorText {
  std::uint32_t code;
  const char16_t* text;
};

std::u16string Lookup(std::initializer_list<ErrorText> table, HRESULT result, const char16_t* otherwise) {
  const auto code = static_cast<std::uint32_t>(result);
  for (const ErrorText& entry : table) {
    if (entry.code == code) return entry.text;
  }
  return otherwise;
}

}  // namespace

std::u16string ErrorCodeText(std::uint32_t code) { return u"Error code : 0x" + Hex8(code); }

std::u16string CoInitializeExErrorText(HRESULT result) {
  return Lookup(
      {
          {0x8000FFFF, u"Unexpected CoInitializeEx failure."},
          {0x80010106,
           u"A previous call to CoInitializeEx specified an incompatible concurrency model for this thread."},
          {0x8007000E, u"CoInitializeEx failed to allocate necessary memory."},
          {0x80070057, u"CoInitializeEx failed. One or more arguments are not valid."},
      },
      result, u"Unknown CoInitializeEx failure.");
}

std::u16string EnvironmentErrorText(HRESULT result) {
  return Lookup(
      {
          {0x80004005, u"Edge runtime unable to start."},
          {0x80010106, u"CoInitializeEx was previously called with COINIT_MULTITHREADED."},
          {0x800401F0, u"CoInitializeEx was not called."},
          {0x80070005, u"Unable to create user data folder, Access Denied."},
          {0x80070032, u"\\Edge\\Application path used in browserExecutableFolder."},
          {0x8007139F,
           u"Specified options do not match the options of the WebViews that are currently running in the "
           u"shared "
           u"browser process."},
          {0x80070070, u"There are too many previous WebView2 Runtime versions."},
          {0x8007064E, u"Webview depends upon an installed WebView2 Runtime version and it is uninstalled."},
          {0x80070002, u"Could not find Edge installation."},
          {0x80070050,
           u"User data folder cannot be created because a file with the same name already exists."},
      },
      result, kUnexpectedErrorResult);
}

std::u16string ControllerErrorText(HRESULT result) {
  return Lookup(
      {
          {0x80004004, u"The parent window was destroyed before the controller creation was finished."},
          {0x8000FFFF, u"The runtime does not have permissions to the user data folder."},
          {0x8007139F, u"Another browser is using the same user data folder."},
          {0x80070032, u"The request is not supported."},
      },
      result, kUnexpectedErrorResult);
}

std::u16string CompositionControllerErrorText(HRESULT result) {
  return Lookup(
      {
          {0x80004004,
           u"The parent window was destroyed before the composition controller creation was finished."},
          {0x8000FFFF, u"The runtime does not have permissions to the user data folder."},
          {0x8007139F, u"Another browser is using the same user data folder."},
      },
      result, kUnexpectedErrorResult);
}

std::u16string ControllerOptionsErrorText(HRESULT result) {
  return Lookup(
      {
          {0x80004001, u"Not implemented."},
          {0x80070057, u"Invalid profile name."},
          {0x802A000C, u"This method can only be called from the thread that created the object."},
      },
      result, kUnexpectedErrorResult);
}

}  // namespace velmoran::webview
