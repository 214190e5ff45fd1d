#pragma once

// A small ZIP reader for the tests: it walks the end record and the central
// directory, checks each local header against its directory entry and hands
// back the entries as they are stored. Independent of the writer on purpose,
// it reads the format from the archive's bytes, not from the writer's code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::test {

struct ZipEntryRead {
  std::string name;  // as stored (UTF-8 when flag bit 11 is set)
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t time = 0;
  std::uint16_t date = 0;
  std::uint32_t crc = 0;
  std::uint32_t size = 0;
  std::string data;  // the stored bytes (compressed when the method says so)
};

inline std::uint32_t ZipLe(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Empty when the archive is malformed: a missing end record, a directory or
// local header out of place, or one that disagrees with the other.
inline std::optional<std::vector<ZipEntryRead>> ReadZip(std::string_view zip) {
  if (zip.size() < 22) return std::nullopt;
  const std::size_t end = zip.size() - 22;  // the writers under test add no archive comment
  if (ZipLe(zip, end, 4) != 0x06054B50) return std::nullopt;
  const std::uint32_t count = ZipLe(zip, end + 10, 2);
  const std::uint32_t directorySize = ZipLe(zip, end + 12, 4);
  std::size_t at = ZipLe(zip, end + 16, 4);
  if (ZipLe(zip, end + 8, 2) != count || at + directorySize != end) return std::nullopt;
  std::vector<ZipEntryRead> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at + 46 > end || ZipLe(zip, at, 4) != 0x02014B50) return std::nullopt;
    ZipEntryRead entry;
    entry.flags = static_cast<std::uint16_t>(ZipLe(zip, at + 8, 2));
    entry.method = static_cast<std::uint16_t>(ZipLe(zip, at + 10, 2));
    entry.time = static_cast<std::uint16_t>(ZipLe(zip, at + 12, 2));
    entry.date = static_cast<std::uint16_t>(ZipLe(zip, at + 14, 2));
    entry.crc = ZipLe(zip, at + 16, 4);
    const std::uint32_t packed = ZipLe(zip, at + 20, 4);
    entry.size = ZipLe(zip, at + 24, 4);
    const std::uint32_t nameLength = ZipLe(zip, at + 28, 2);
    const std::uint32_t skip = ZipLe(zip, at + 30, 2) + ZipLe(zip, at + 32, 2);
    const std::size_t local = ZipLe(zip, at + 42, 4);
    entry.name = std::string(zip.substr(at + 46, nameLength));
    at += 46 + nameLength + skip;
    if (local + 30 > zip.size() || ZipLe(zip, local, 4) != 0x04034B50) return std::nullopt;
    const std::uint32_t localName = ZipLe(zip, local + 26, 2);
    const std::size_t data = local + 30 + localName + ZipLe(zip, local + 28, 2);
    if (ZipLe(zip, local + 6, 2) != entry.flags || ZipLe(zip, local + 8, 2) != entry.method ||
        ZipLe(zip, local + 10, 2) != entry.time || ZipLe(zip, local + 12, 2) != entry.date ||
        ZipLe(zip, local + 14, 4) != entry.crc || ZipLe(zip, local + 18, 4) != packed ||
        ZipLe(zip, local + 22, 4) != entry.size || zip.substr(local + 30, localName) != entry.name ||
        data + packed > zip.size()) {
      return std::nullopt;
    }
    entry.data = std::string(zip.substr(data, packed));
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace velmoran::test
