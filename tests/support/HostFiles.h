#pragma once

// Plain reads and writes of host files, for looking into what the simulated
// Windows stored under a test's temporary folder and for laying files there.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace velmoran::test {

inline std::string ReadHostFile(const std::filesystem::path& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

inline void WriteHostFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace velmoran::test
