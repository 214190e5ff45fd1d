#include "platform/win32/Win32Com.h"

#include <windows.h>
#include <objbase.h>
#include <ole2.h>

namespace velmoran::platform::win32 {

void* Win32Com::CoTaskMemAlloc(std::size_t size) { return ::CoTaskMemAlloc(size); }

void Win32Com::CoTaskMemFree(void* block) { ::CoTaskMemFree(block); }

std::int32_t Win32Com::CoInitializeEx(std::uint32_t coInit) {
  return static_cast<std::int32_t>(::CoInitializeEx(nullptr, coInit));
}

void Win32Com::CoUninitialize() { ::CoUninitialize(); }

std::int32_t Win32Com::OleInitialize() { return ::OleInitialize(nullptr); }

void Win32Com::OleUninitialize() { ::OleUninitialize(); }

}  // namespace velmoran::platform::win32
