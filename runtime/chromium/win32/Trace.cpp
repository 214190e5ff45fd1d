#include "runtime/chromium/win32/Trace.h"

#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

namespace velmoran::runtime::chromium {

void Trace(std::string_view line) {
  static std::mutex mutex;
  static const std::wstring path = [] {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"VELMORAN_CHROMIUM_TRACE", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
  }();
  if (path.empty()) return;
  std::lock_guard lock(mutex);
  if (FILE* file = ::_wfopen(path.c_str(), L"ab")) {
    // Milliseconds since 1970, as "date +%s%3N" prints them on the Unix side,
    // so a trace lines up with what scripts outside Wine measure.
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kUnixEpochTicks = 116444736000000000ULL;
    std::fprintf(file, "%llu %.*s\n", (ticks - kUnixEpochTicks) / 10000, static_cast<int>(line.size()),
                 line.data());
    std::fclose(file);
  }
}

}  // namespace velmoran::runtime::chromium
