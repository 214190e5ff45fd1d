#pragma once

// A text the runtime allocated with the COM task allocator and handed over
// (an LPWSTR* out parameter): the receiver owns it and frees it through the
// platform's Com service, exactly once, whatever path the logic takes.

#include <string>
#include <string_view>

#include "platform/Com.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

class CoTaskMemText {
 public:
  explicit CoTaskMemText(platform::Com& com) noexcept : com_(&com) {}
  // Takes over `text`, allocated by `com`'s task allocator.
  CoTaskMemText(platform::Com& com, LPWSTR text) noexcept : com_(&com), text_(text) {}
  ~CoTaskMemText() { Reset(); }

  CoTaskMemText(CoTaskMemText&& other) noexcept;
  CoTaskMemText& operator=(CoTaskMemText&& other) noexcept;
  CoTaskMemText(const CoTaskMemText&) = delete;
  CoTaskMemText& operator=(const CoTaskMemText&) = delete;

  // For the out parameter: frees the text held first, so reusing one object does not leak.
  [[nodiscard]] LPWSTR* Put() noexcept;

  LPCWSTR Get() const noexcept { return text_; }
  bool IsNull() const noexcept { return text_ == nullptr; }
  // The text in place (empty when none was handed over); valid while this object holds it.
  std::u16string_view View() const noexcept;
  std::u16string ToU16String() const { return std::u16string(View()); }

  void Reset() noexcept;
  // Gives the text to the caller, who must free it through the same Com service.
  [[nodiscard]] LPWSTR Detach() noexcept;

 private:
  platform::Com* com_;
  LPWSTR text_ = nullptr;
};

// A zero-terminated copy of `text` from the task allocator, for an LPWSTR* the
// runtime (or an object of ours it calls) hands out and the receiver frees.
// Null when the allocator has no memory.
[[nodiscard]] LPWSTR CoTaskMemDup(platform::Com& com, std::u16string_view text);

}  // namespace velmoran::webview
