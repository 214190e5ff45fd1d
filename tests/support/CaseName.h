#pragma once

// Names for the cases of a parameterised test, so that a run lists and
// reports each case by what it is rather than by its index.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace velmoran::test {

// `text` as a test name: every character outside [A-Za-z0-9_] becomes '_'.
inline std::string TestNameFrom(std::string_view text) {
  std::string name(text);
  for (char& c : name) {
    const bool allowed =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!allowed) c = '_';
  }
  return name;
}

// Names each case after its parameter's `name`.
struct CaseName {
  template <typename Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
    return TestNameFrom(info.param.name);
  }
};

}  // namespace velmoran::test
