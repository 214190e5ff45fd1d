#include "bench/CountingHeap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace velmoran::bench::counting_heap {
namespace {

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

void* Take(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) return nullptr;
  const std::size_t now = live.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
  std::size_t before = peak.load();
  while (now > before && !peak.compare_exchange_weak(before, now)) {
  }
  return block;
}

void Give(void* block) {
  if (block == nullptr) return;
  live.fetch_sub(malloc_usable_size(block));
  std::free(block);
}

}  // namespace

std::size_t Live() { return live.load(); }
std::size_t Peak() { return peak.load(); }
void ResetPeak() { peak.store(live.load()); }

}  // namespace velmoran::bench::counting_heap

using velmoran::bench::counting_heap::Give;
using velmoran::bench::counting_heap::Take;

void* operator new(std::size_t size) {
  void* block = Take(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void operator delete(void* block) noexcept { Give(block); }
void operator delete[](void* block) noexcept { Give(block); }
void operator delete(void* block, std::size_t) noexcept { Give(block); }
void operator delete[](void* block, std::size_t) noexcept { Give(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Give(block); }
