#pragma once

#include <cstddef>
#include <cstdint>

namespace velmoran::platform {

// COINIT_APARTMENTTHREADED: a single-threaded apartment.
inline constexpr std::uint32_t kCoInitApartmentThreaded = 2;

// COM services of the thread: task memory (texts and arrays handed across the
// browser runtime's interfaces) and apartment initialisation.
class Com {
 public:
  virtual ~Com() = default;
  virtual void* CoTaskMemAlloc(std::size_t size) = 0;
  virtual void CoTaskMemFree(void* block) = 0;

  // CoInitializeEx(nullptr, coInit) on the calling thread: the HRESULT as the
  // system answers it (S_OK, S_FALSE when already initialised, or a failure).
  // Each successful call needs its own CoUninitialize.
  virtual std::int32_t CoInitializeEx(std::uint32_t coInit) = 0;
  virtual void CoUninitialize() = 0;

  // OleInitialize(nullptr) / OleUninitialize for the thread, as the
  // application framework makes them at start and end.
  virtual std::int32_t OleInitialize() = 0;
  virtual void OleUninitialize() = 0;
};

}  // namespace velmoran::platform
