// The automation values of host objects: BSTR texts, VARIANTs that own what
// they hold, and the values a page and a host object hand each other.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/CaseName.h"
#include "webview/abi/Automation.h"
#include "webview/abi/AutomationValue.h"
#include "webview/abi/WideText.h"

namespace velmoran::test {
namespace {

using webview::AsWideText;
using webview::AutomationValue;
using webview::FromVariant;
using webview::OwnedVariant;
using webview::ToVariant;

TEST(Automation, BstrKeepsItsLengthAndEmbeddedZeros) {
  const std::u16string text(u"a\0b", 3);
  BSTR copy = SysAllocStringLen(AsWideText(text), 3);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(SysStringLen(copy), 3u);
  EXPECT_EQ(copy[3], 0);
  SysFreeString(copy);

  BSTR plain = SysAllocString(AsWideText(u"벨모란"));
  EXPECT_EQ(SysStringLen(plain), 3u);
  SysFreeString(plain);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(Automation, VariantCopyOwnsItsOwnText) {
  OwnedVariant original(AutomationValue(std::u16string(u"text")));
  OwnedVariant copy(original);
  ASSERT_EQ(copy.Value().vt, VT_BSTR);
  EXPECT_NE(copy.Value().bstrVal, original.Value().bstrVal);
  EXPECT_EQ(FromVariant(copy.Value()), AutomationValue(std::u16string(u"text")));
  EXPECT_EQ(VariantClear(copy.Get()), S_OK);
  EXPECT_EQ(copy.Value().vt, VT_EMPTY);
}

struct VariantCase {
  const char* name;
  AutomationValue value;
  VARTYPE type;
};

const std::vector<VariantCase>& VariantCases() {
  static const std::vector<VariantCase> cases = {
      {"Null", nullptr, VT_NULL},
      {"True", true, VT_BOOL},
      {"False", false, VT_BOOL},
      {"Whole", std::int32_t{-42}, VT_I4},
      {"Fraction", 2.5, VT_R8},
      {"Text", std::u16string(u"안녕"), VT_BSTR},
      {"EmptyText", std::u16string(), VT_BSTR},
  };
  return cases;
}

class AutomationRoundTrip : public testing::TestWithParam<VariantCase> {};

TEST_P(AutomationRoundTrip, ValueComesBackAsItWent) {
  OwnedVariant variant;
  ASSERT_TRUE(ToVariant(GetParam().value, variant.Get()));
  EXPECT_EQ(variant.Value().vt, GetParam().type);
  if (GetParam().type == VT_BOOL) {
    EXPECT_EQ(variant.Value().boolVal, std::get<bool>(GetParam().value) ? VARIANT_TRUE : VARIANT_FALSE);
  }
  EXPECT_EQ(FromVariant(variant.Value()), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, AutomationRoundTrip, testing::ValuesIn(VariantCases()), CaseName());

TEST(Automation, OtherNumberTypesReadAsNumbersAndObjectsHaveNoPageForm) {
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(FromVariant(value), AutomationValue(nullptr));
  value.vt = VT_I2;
  value.iVal = -7;
  EXPECT_EQ(FromVariant(value), AutomationValue(std::int32_t{-7}));
  value.vt = VT_UI4;
  value.ulVal = 4000000000u;
  EXPECT_EQ(FromVariant(value), AutomationValue(4000000000.0));
  value.vt = VT_R4;
  value.fltVal = 0.5f;
  EXPECT_EQ(FromVariant(value), AutomationValue(0.5));
  value.vt = VT_DISPATCH;
  value.pdispVal = nullptr;
  EXPECT_EQ(FromVariant(value), std::nullopt);
  value.vt = VT_I4 | VT_BYREF;
  EXPECT_EQ(FromVariant(value), std::nullopt);
}

TEST(Automation, CallingWithoutAnObjectFailsWithWords) {
  const webview::DispatchCallResult result = webview::CallDispatchMethod(nullptr, u"Add", {});
  EXPECT_EQ(result.code, E_INVALIDARG);
  EXPECT_FALSE(result.message.empty());
}

}  // namespace
}  // namespace velmoran::test
