#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "runtime/chromium/ProfilePreferences.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::PreferencesForEmbedding;

struct PreferencesCase {
  const char* name;
  std::string existing;
  std::optional<std::string> written;  // nothing: the file is left as it is
};

class PreferencesCases : public ::testing::TestWithParam<PreferencesCase> {};

TEST_P(PreferencesCases, TurnTranslateOffAndKeepTheRest) {
  EXPECT_EQ(PreferencesForEmbedding(GetParam().existing), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PreferencesCases,
    ::testing::Values(
        PreferencesCase{"NoFileYet", "", R"({"translate":{"enabled":false}})"},
        PreferencesCase{
            "ChromiumsOwnFileKeepsEveryMember",
            R"({"intl":{"selected_languages":"en-US,en"},"translate":{"blocked_languages":["ko"]},)"
            R"("last":1.7e+12,"name":"벨모란 \"A\"\n"})",
            R"({"intl":{"selected_languages":"en-US,en"},"translate":{"blocked_languages":["ko"],)"
            R"("enabled":false},"last":1.7e+12,"name":"벨모란 \"A\"\n"})"},
        PreferencesCase{"TranslateOnIsTurnedOff", R"({"translate":{"enabled":true},"x":null})",
                        R"({"translate":{"enabled":false},"x":null})"},
        PreferencesCase{"AlreadyOffIsLeftAlone", R"({"a":[1,2],"translate":{"enabled":false}})",
                        std::nullopt},
        PreferencesCase{"TranslateThatIsNoObjectBecomesOne", R"({"translate":"on"})",
                        R"({"translate":{"enabled":false}})"},
        PreferencesCase{"UnreadableFileIsReplaced", R"({"translate":)", R"({"translate":{"enabled":false}})"},
        PreferencesCase{"FileThatIsNoObjectIsReplaced", "[1]", R"({"translate":{"enabled":false}})"}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
