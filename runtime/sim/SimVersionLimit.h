#pragma once

// How far a simulated object's interface versions go, as the test chooses:
// QueryInterface answers version 1 (the base interface) up to `highest`,
// except the versions listed as refused.

#include <cstdint>
#include <set>

namespace velmoran::runtime::sim {

struct SimVersionLimit {
  std::uint32_t highest = 1;
  std::set<std::uint32_t> refused;

  bool Offers(std::uint32_t version) const { return version <= highest && refused.count(version) == 0; }
};

}  // namespace velmoran::runtime::sim
