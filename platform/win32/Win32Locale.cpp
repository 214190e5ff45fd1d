#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {

std::uint32_t Win32Locale::GetACP() { return ::GetACP(); }

std::string Win32Locale::WideCharToMultiByte(std::uint32_t codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const wchar_t* wide = AsWide(text.data());
  const int length = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  const int written = ::WideCharToMultiByte(codePage, 0, wide, length, bytes.data(), size, nullptr, nullptr);
  bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return bytes;
}

std::u16string Win32Locale::TimeSeparator() {
  wchar_t separator[8] = {};
  const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
  if (length <= 1) return u":";
  return Utf16Text(separator, static_cast<std::size_t>(length - 1));
}

std::u16string Win32Locale::FormatMessageW(std::uint32_t errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                           FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                       nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length > 0 && buffer != nullptr) text = Utf16Text(buffer, length);
  if (buffer != nullptr) ::LocalFree(buffer);
  return text;
}

}  // namespace velmoran::platform::win32
