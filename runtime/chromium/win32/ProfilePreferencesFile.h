#pragma once

// Puts the runtime's preferences (ProfilePreferences.h) into the profile of a
// user data folder before Chromium starts on it.

#include <string>

namespace velmoran::runtime::chromium {

// `userDataFolder` is a Windows path. A folder whose file cannot be read or
// written is left as it is (the trace says so): Chromium then starts with
// what it finds.
void PrepareProfilePreferences(const std::u16string& userDataFolder);

}  // namespace velmoran::runtime::chromium
