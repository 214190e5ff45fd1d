#pragma once

#include <cstddef>
#include <unordered_map>

#include "platform/Com.h"

namespace velmoran::platform::sim {

// COM task memory that remembers every block still allocated, so a test can
// prove that each text handed across an interface was freed.
class SimCom final : public Com {
 public:
  ~SimCom() override;
  void* CoTaskMemAlloc(std::size_t size) override;
  void CoTaskMemFree(void* block) override;

  std::size_t OutstandingBlocks() const { return blocks_.size(); }
  std::size_t TotalAllocations() const { return totalAllocations_; }
  // Frees of pointers this allocator never handed out (a double free, say).
  std::size_t ForeignFrees() const { return foreignFrees_; }

 private:
  std::unordered_map<void*, std::size_t> blocks_;
  std::size_t totalAllocations_ = 0;
  std::size_t foreignFrees_ = 0;
};

}  // namespace velmoran::platform::sim
