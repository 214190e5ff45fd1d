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

std::int32_t SimCom::OleInitialize() {
  return oleDepth_++ == 0 ? 0 : 1;  // S_OK, then S_FALSE as the system answers a repeat
}

void SimCom::OleUninitialize() {
  if (oleObserver_) oleObserver_();
  if (oleDepth_ > 0) --oleDepth_;
}

std::int32_t SimCom::CoInitializeEx(std::uint32_t coInit) {
  ++initCalls_;
  lastCoInit_ = coInit;
  constexpr std::int32_t kSOk = 0;
  constexpr std::int32_t kSFalse = 1;
  // An apartment OLE already opened answers S_FALSE, as the system does.
  const bool fresh = apartmentInits_ == 0 && oleDepth_ == 0;
  const std::int32_t result = scriptedInitResult_.value_or(fresh ? kSOk : kSFalse);
  if (result >= 0) ++apartmentInits_;
  return result;
}

void SimCom::CoUninitialize() {
  ++uninitCalls_;
  if (apartmentInits_ > 0) --apartmentInits_;
}

}  // namespace velmoran::platform::sim
