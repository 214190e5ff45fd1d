#include "platform/sim/SimCom.h"

#include <cstdlib>

namespace velmoran::platform::sim {

SimCom::~SimCom() {
  for (auto& [block, size] : blocks_) std::free(block);
}

void* SimCom::CoTaskMemAlloc(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) return nullptr;
  blocks_.emplace(block, size);
  ++totalAllocations_;
  return block;
}

void SimCom::CoTaskMemFree(void* block) {
  if (block == nullptr) return;
  auto it = blocks_.find(block);
  if (it == blocks_.end()) {
    ++foreignFrees_;  // not ours: leave it alone rather than corrupt the heap
    return;
  }
  blocks_.erase(it);
  std::free(block);
}

}  // namespace velmoran::platform::sim
