#include "tests/crash/win32/WindowCapture.h"

#include <cstdlib>
#include <fstream>

namespace velmoran::test {

WindowPicture CaptureWindow(HWND window) {
  WindowPicture picture;
  ::GetWindowRect(window, &picture.bounds);
  const int width = picture.width();
  const int height = picture.height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, picture.bounds.left, picture.bounds.top, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(first, first + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return picture;
}

bool SaveArtifact(const WindowPicture& picture, const std::string& name) {
  const char* folder = std::getenv("VELMORAN_ARTIFACTS");
  if (folder == nullptr || *folder == '\0' || picture.pixels.empty()) return false;
  // A bottom-up 32-bit BMP: the form every viewer reads.
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = picture.width();
  header.biHeight = picture.height();
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(picture.pixels.size()) * 4;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(std::string("Z:") + folder + "/" + name + ".bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  for (int row = picture.height() - 1; row >= 0; --row) {
    out.write(reinterpret_cast<const char*>(&picture.pixels[static_cast<std::size_t>(row) * picture.width()]),
              static_cast<std::streamsize>(picture.width()) * 4);
  }
  return static_cast<bool>(out);
}

}  // namespace velmoran::test
