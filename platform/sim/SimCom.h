#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

#include "platform/Com.h"

namespace velmoran::platform::sim {

// COM task memory that remembers every block still allocated, so a test can
// prove that each text handed across an interface was freed. The apartment
// answers as the system does (S_OK first, S_FALSE when already initialised,
// RPC_E_CHANGED_MODE when asked for the other kind while it exists) unless a
// test scripts a failure.
class SimCom final : public Com {
 public:
  ~SimCom() override;
  void* CoTaskMemAlloc(std::size_t size) override;
  void CoTaskMemFree(void* block) override;
  std::int32_t CoInitializeEx(std::uint32_t coInit) override;
  void CoUninitialize() override;
  std::int32_t OleInitialize() override;
  void OleUninitialize() override;

  // Initialisations not yet matched by an uninitialisation.
  int OleDepth() const { return oleDepth_; }
  // Runs inside each OleUninitialize, so a test can look at what still exists then.
  void SetOleUninitializeObserver(std::function<void()> observer) { oleObserver_ = std::move(observer); }

  std::size_t OutstandingBlocks() const { return blocks_.size(); }
  std::size_t TotalAllocations() const { return totalAllocations_; }
  // Frees of pointers this allocator never handed out (a double free, say).
  std::size_t ForeignFrees() const { return foreignFrees_; }

  // Every later CoInitializeEx answers `result` (a failure leaves the apartment
  // as it was); std::nullopt restores the system's answers.
  void SetCoInitializeExResult(std::optional<std::int32_t> result) { scriptedInitResult_ = result; }
  std::size_t CoInitializeExCalls() const { return initCalls_; }
  std::size_t CoUninitializeCalls() const { return uninitCalls_; }
  // Successful CoInitializeEx calls not yet matched by CoUninitialize.
  std::int64_t ApartmentInitCount() const { return apartmentInits_; }
  std::uint32_t LastCoInit() const { return lastCoInit_; }

 private:
  std::unordered_map<void*, std::size_t> blocks_;
  std::size_t totalAllocations_ = 0;
  std::size_t foreignFrees_ = 0;
  std::optional<std::int32_t> scriptedInitResult_;
  std::size_t initCalls_ = 0;
  std::size_t uninitCalls_ = 0;
  std::int64_t apartmentInits_ = 0;
  std::uint32_t lastCoInit_ = 0;
  int oleDepth_ = 0;
  bool multithreaded_ = false;  // the kind of the apartment while one exists
  std::function<void()> oleObserver_;
};

}  // namespace velmoran::platform::sim
