#include "webview/abi/CoTaskMemText.h"

#include <cstring>
#include <limits>
#include <utility>

#include "webview/abi/WideText.h"

namespace velmoran::webview {

CoTaskMemText::CoTaskMemText(CoTaskMemText&& other) noexcept
    : com_(other.com_), text_(std::exchange(other.text_, nullptr)) {}

CoTaskMemText& CoTaskMemText::operator=(CoTaskMemText&& other) noexcept {
  if (this != &other) {
    Reset();
    com_ = other.com_;
    text_ = std::exchange(other.text_, nullptr);
  }
  return *this;
}

LPWSTR* CoTaskMemText::Put() noexcept {
  Reset();
  return &text_;
}

std::u16string_view CoTaskMemText::View() const noexcept { return FromWideText(text_); }

void CoTaskMemText::Reset() noexcept {
  LPWSTR old = std::exchange(text_, nullptr);
  if (old != nullptr) com_->CoTaskMemFree(old);
}

LPWSTR CoTaskMemText::Detach() noexcept { return std::exchange(text_, nullptr); }

LPWSTR CoTaskMemDup(platform::Com& com, std::u16string_view text) {
  static_assert(sizeof(WCHAR) == sizeof(char16_t));
  if (text.size() >= std::numeric_limits<std::size_t>::max() / sizeof(WCHAR)) return nullptr;
  const std::size_t bytes = (text.size() + 1) * sizeof(WCHAR);
  auto* copy = static_cast<LPWSTR>(com.CoTaskMemAlloc(bytes));
  if (copy == nullptr) return nullptr;
  if (!text.empty()) std::memcpy(copy, text.data(), text.size() * sizeof(WCHAR));
  copy[text.size()] = 0;
  return copy;
}

}  // namespace velmoran::webview
