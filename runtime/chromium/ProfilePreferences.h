#pragma once

// What Chromium shows of its own over a page follows the profile, not only its
// switches: the translate offer ("Korean | English" over a Korean page in an
// English Chromium) comes and goes with the profile's translate.enabled, and
// no feature switch of today's Chromium turns it off. The runtime sets those
// preferences in the profile's file before Chromium starts; Chromium reads
// the file at start-up and keeps what it found.

#include <optional>
#include <string>
#include <string_view>

namespace velmoran::runtime::chromium {

// The profile's preferences file, relative to the user data folder.
inline constexpr char16_t kProfilePreferencesFile[] = u"Default\\Preferences";

// `existing` (the file's UTF-8 JSON text, empty when there is none) with the
// runtime's preferences set and every other member kept, or nothing when the
// file already holds them. A text that is not a JSON object is replaced, as
// Chromium itself replaces a preferences file it cannot read.
std::optional<std::string> PreferencesForEmbedding(std::string_view existing);

}  // namespace velmoran::runtime::chromium
