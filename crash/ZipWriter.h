#pragma once

// A ZIP archive written front to back into a sink: each entry's local header
// and data as it is added, the central directory and the end record when the
// archive is finished. Names are UTF-8 (general-purpose flag bit 11), so a
// Korean file name reads back the same in any current unzip tool. Entries are
// held in memory one at a time; a report folder's files (the text report, a
// minidump of a few megabytes, a screenshot) fit comfortably, and the archive
// stays within the classic format's limits (no ZIP64): under 4 GiB per entry
// and in all, under 65535 entries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::crash {

// Where the archive's bytes go: a file on Windows, a string in the tests.
class ZipSink {
 public:
  virtual ~ZipSink() = default;
  // False when the bytes could not be written; the writer stops there.
  virtual bool Write(std::string_view bytes) = 0;
};

class StringZipSink final : public ZipSink {
 public:
  bool Write(std::string_view bytes) override {
    bytes_.append(bytes);
    return true;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// An MS-DOS date and time as ZIP headers carry them: two-second steps, local
// time, years 1980 to 2107.
struct DosDateTime {
  std::uint16_t time = 0;
  std::uint16_t date = (1 << 5) | 1;  // 1980-01-01, the earliest a DOS date can say
};
// Out-of-range fields are clamped into what the format can hold.
DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second);

// A compression method other than "stored" (method 0). The writer keeps an
// entry stored when the compressed form would not be smaller.
class ZipCompressor {
 public:
  virtual ~ZipCompressor() = default;
  virtual std::uint16_t Method() const = 0;
  virtual std::string Compress(std::string_view bytes) const = 0;
};

// Deflate (method 8), with the deflater the PNG encoder uses: a minidump's
// zero-filled pages and a report's text shrink well below their size.
class DeflateZipCompressor final : public ZipCompressor {
 public:
  std::uint16_t Method() const override { return 8; }
  std::string Compress(std::string_view bytes) const override;
};

class ZipWriter {
 public:
  explicit ZipWriter(ZipSink& sink, const ZipCompressor* compressor = nullptr);

  // One file; `name` uses "/" between folders. False when the sink failed,
  // the archive is finished, or the entry breaks the format's limits.
  bool Add(std::u16string_view name, std::string_view content, DosDateTime modified);
  // The central directory and the end record; no entry can follow.
  bool Finish();

 private:
  struct Entry {
    std::string name;  // UTF-8
    DosDateTime modified;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
  };
  bool Emit(std::string_view bytes);
  static void PutSharedFields(std::string& out, const Entry& entry);

  ZipSink& sink_;
  const ZipCompressor* compressor_;
  std::vector<Entry> entries_;
  std::uint64_t written_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};

}  // namespace velmoran::crash
