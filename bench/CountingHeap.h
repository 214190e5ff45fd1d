#pragma once

// Peak heap use, counted by the program's own global operator new and
// delete (CountingHeap.cpp replaces them for the whole program it is linked
// into). Every block counts with the size the allocator gave it, so the
// figures are what the heap really holds for us, rounding included.

#include <cstddef>

namespace velmoran::bench::counting_heap {

// Bytes held now.
std::size_t Live();
// The most bytes held at once since the last ResetPeak (or the start).
std::size_t Peak();
// Starts a new peak at what is held now.
void ResetPeak();

}  // namespace velmoran::bench::counting_heap
