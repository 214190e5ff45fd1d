#include "crash/win32/WindowPicture.h"

#include <cstring>

#include "base/Text.h"

namespace velmoran::crash::win32 {
namespace {

std::u16string Failed(const char16_t* what) {
  return std::u16string(what) + u" (error " + DecimalText(::GetLastError()) + u")";
}

}  // namespace

Screenshot CaptureWindowPicture(HWND window, std::u16string& error) {
  Screenshot picture;
  RECT bounds{};
  if (window == nullptr || !::IsWindow(window)) {
    error = u"there is no main window";
    return picture;
  }
  if (!::GetWindowRect(window, &bounds) || bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
    error = u"the main window has no size";
    return picture;
  }
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const HDC source = ::GetWindowDC(window);
  if (source == nullptr) {
    error = Failed(u"GetWindowDC failed");
    return picture;
  }
  const HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap =
      memory != nullptr ? ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (bitmap == nullptr || bits == nullptr) {
    error = Failed(u"no bitmap for the picture");
  } else {
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    if (::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY | CAPTUREBLT)) {
      ::GdiFlush();
      picture.width = width;
      picture.height = height;
      picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
      std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(std::uint32_t));
      for (std::uint32_t& pixel : picture.pixels)
        pixel &= 0x00FFFFFF;  // BGRA in memory is 0x00RRGGBB as a value
    } else {
      error = Failed(u"BitBlt failed");
    }
    ::SelectObject(memory, previous);
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  if (memory != nullptr) ::DeleteDC(memory);
  ::ReleaseDC(window, source);
  return picture;
}

}  // namespace velmoran::crash::win32
