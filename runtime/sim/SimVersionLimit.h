#pragma once

// How far a simulated object's interface versions go, as the test chooses:
// QueryInterface answers version 1 (the base interface) up to `highest`,
// except the versions listed as refused.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <set>

#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

struct SimVersionLimit {
  std::uint32_t highest = 1;
  std::set<std::uint32_t> refused;

  bool Offers(std::uint32_t version) const { return version <= highest && refused.count(version) == 0; }

  // Whether `riid` names one of an object's interface `versions` (version 1
  // first) that this limit does not offer: QueryInterface must refuse it.
  bool Refuses(REFIID riid, std::initializer_list<const IID*> versions) const {
    std::uint32_t version = 1;
    for (const IID* id : versions) {
      if (riid == *id) return !Offers(version);
      ++version;
    }
    return false;
  }
};

}  // namespace velmoran::runtime::sim
