// Runs the JSON conformance suite under tests/data/jsontestsuite: y_ files
// must decode, n_ files must fail, i_ files may do either but must return.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "bridge/Json.h"

namespace velmoran::bridge {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// The browser hands messages over as UTF-16, so byte sequences that are not
// UTF-8 never reach the decoder. A text is valid UTF-8 exactly when it
// survives the trip to UTF-16 and back, invalid sequences being replaced.
bool IsValidUtf8(const std::string& bytes) { return Utf16ToUtf8(Utf8ToUtf16(bytes)) == bytes; }

TEST(JsonConformance, EverySuiteFileDecodesAsTheSuiteSays) {
  const fs::path folder = fs::path(VELMORAN_TEST_DATA_DIR) / "jsontestsuite" / "test_parsing";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  int mustDecode = 0;
  int mustFail = 0;
  std::vector<std::string> wrong;
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    const std::string bytes = ReadBytes(file);
    if (!IsValidUtf8(bytes)) continue;
    const bool decoded = ParseJson(Utf8ToUtf16(bytes)).has_value();
    if (name.starts_with("y_")) {
      ++mustDecode;
      if (!decoded) wrong.push_back(name + " (valid, rejected)");
    } else if (name.starts_with("n_")) {
      ++mustFail;
      if (decoded) wrong.push_back(name + " (invalid, accepted)");
    }
  }

  // The whole suite must have been there, not an empty or partial folder
  // (twelve n_ files are not UTF-8 and are left out above).
  EXPECT_EQ(mustDecode, 95);
  EXPECT_EQ(mustFail, 176);
  for (const auto& name : wrong) ADD_FAILURE() << name;
}

}  // namespace
}  // namespace velmoran::bridge
