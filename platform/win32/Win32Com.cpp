#include "platform/win32/Win32Com.h"

#include <windows.h>
#include <objbase.h>

namespace velmoran::platform::win32 {

void* Win32Com::CoTaskMemAlloc(std::size_t size) { return ::CoTaskMemAlloc(size); }

void Win32Com::CoTaskMemFree(void* block) { ::CoTaskMemFree(block); }

}  // namespace velmoran::platform::win32
