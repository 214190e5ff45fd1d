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

namespace {

constexpr std::int32_t kSOk = 0;
constexpr std::int32_t kSFalse = 1;
constexpr std::int32_t kRpcEChangedMode = static_cast<std::int32_t>(0x80010106u);

}  // namespace

std::int32_t SimCom::OleInitialize() {
  // OLE needs a single-threaded apartment.
  if (apartmentInits_ > 0 && multithreaded_) return kRpcEChangedMode;
  if (apartmentInits_ == 0) multithreaded_ = false;
  return oleDepth_++ == 0 ? kSOk : kSFalse;  // S_FALSE as the system answers a repeat
}

void SimCom::OleUninitialize() {
  if (oleObserver_) oleObserver_();
  if (oleDepth_ > 0) --oleDepth_;
}

std::int32_t SimCom::CoInitializeEx(std::uint32_t coInit) {
  ++initCalls_;
  lastCoInit_ = coInit;
  // An apartment OLE already opened answers S_FALSE, as the system does.
  const bool fresh = apartmentInits_ == 0 && oleDepth_ == 0;
  const bool multithreaded = (coInit & kCoInitApartmentThreaded) == 0;
  if (!scriptedInitResult_ && !fresh && multithreaded != multithreaded_) return kRpcEChangedMode;
  const std::int32_t result = scriptedInitResult_.value_or(fresh ? kSOk : kSFalse);
  if (result < 0) return result;
  if (fresh) multithreaded_ = multithreaded;
  ++apartmentInits_;
  return result;
}

void SimCom::CoUninitialize() {
  ++uninitCalls_;
  if (apartmentInits_ > 0) --apartmentInits_;
}

}  // namespace velmoran::platform::sim
