// The loader's tables of failure texts: each code its own text, every other
// code the common answer, and the code line in upper-case hexadecimal.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/CaseName.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/LoaderErrorTexts.h"

namespace velmoran::test {
namespace {

using webview::CoInitializeExErrorText;
using webview::CompositionControllerErrorText;
using webview::ControllerErrorText;
using webview::ControllerOptionsErrorText;
using webview::EnvironmentErrorText;
using webview::ErrorCodeText;

struct TextCase {
  const char* name;
  std::function<std::u16string(HRESULT)> table;
  std::uint32_t code;
  std::u16string text;
};

class LoaderErrorTextsTest : public testing::TestWithParam<TextCase> {};

TEST_P(LoaderErrorTextsTest, CodeGivesItsText) {
  EXPECT_EQ(GetParam().table(static_cast<HRESULT>(GetParam().code)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, LoaderErrorTextsTest,
    testing::Values(
        TextCase{"EnvironmentStart", EnvironmentErrorText, 0x80004005, u"Edge runtime unable to start."},
        TextCase{"EnvironmentPath", EnvironmentErrorText, 0x80070032,
                 u"\\Edge\\Application path used in browserExecutableFolder."},
        TextCase{
            "EnvironmentOptions", EnvironmentErrorText, 0x8007139F,
            u"Specified options do not match the options of the WebViews that are currently running in the "
            u"shared browser process."},
        TextCase{"EnvironmentUninstalled", EnvironmentErrorText, 0x8007064E,
                 u"Webview depends upon an installed WebView2 Runtime version and it is uninstalled."},
        TextCase{"EnvironmentOther", EnvironmentErrorText, 0x80070057, u"Unexpected error result."},
        TextCase{"EnvironmentSuccess", EnvironmentErrorText, 0, u"Unexpected error result."},
        TextCase{"ControllerAbort", ControllerErrorText, 0x80004004,
                 u"The parent window was destroyed before the controller creation was finished."},
        TextCase{"ControllerNotSupported", ControllerErrorText, 0x80070032, u"The request is not supported."},
        TextCase{"ControllerOther", ControllerErrorText, 0x80004005, u"Unexpected error result."},
        TextCase{"CompositionAbort", CompositionControllerErrorText, 0x80004004,
                 u"The parent window was destroyed before the composition controller creation was finished."},
        TextCase{"CompositionNotInItsTable", CompositionControllerErrorText, 0x80070032,
                 u"Unexpected error result."},
        TextCase{"OptionsNotImplemented", ControllerOptionsErrorText, 0x80004001, u"Not implemented."},
        TextCase{"OptionsProfileName", ControllerOptionsErrorText, 0x80070057, u"Invalid profile name."},
        TextCase{"OptionsThread", ControllerOptionsErrorText, 0x802A000C,
                 u"This method can only be called from the thread that created the object."},
        TextCase{"CoInitializeOther", CoInitializeExErrorText, 0x80004005,
                 u"Unknown CoInitializeEx failure."}),
    CaseName());

TEST(LoaderErrorCodeTextTest, EightUpperCaseDigitsOfTheBitPattern) {
  EXPECT_EQ(ErrorCodeText(static_cast<HRESULT>(0x8007000Eu)), u"Error code : 0x8007000E");
  EXPECT_EQ(ErrorCodeText(std::uint32_t{126}), u"Error code : 0x0000007E");
}

}  // namespace
}  // namespace velmoran::test
