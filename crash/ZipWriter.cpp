#include "crash/ZipWriter.h"

#include <algorithm>
#include <limits>

#include "base/Text.h"
#include "codec/Crc32.h"
#include "codec/Deflate.h"

namespace velmoran::crash {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;
// 2.0: the version that reads stored and deflated entries and folders.
constexpr std::uint16_t kVersionNeeded = 20;
// Made on NTFS (host 11), format version 2.0: the external attributes are
// then DOS attributes, as Windows reads them. Not the FAT host (0): Info-ZIP's
// unzip translates a FAT host's names from the OEM code page even when flag
// bit 11 says they are UTF-8, and a Korean name comes out garbled.
constexpr std::uint16_t kVersionMadeBy = (11 << 8) | 20;
constexpr std::uint16_t kFlagUtf8Names = 1 << 11;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint32_t kMaxField = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxEntries = std::numeric_limits<std::uint16_t>::max() - 1;

void Put16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

}  // namespace

DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second) {
  const auto clamp = [](int value, int low, int high) {
    return static_cast<unsigned>(std::clamp(value, low, high));
  };
  DosDateTime result;
  result.date = static_cast<std::uint16_t>((clamp(year, 1980, 2107) - 1980) << 9 | clamp(month, 1, 12) << 5 |
                                           clamp(day, 1, 31));
  result.time = static_cast<std::uint16_t>(clamp(hour, 0, 23) << 11 | clamp(minute, 0, 59) << 5 |
                                           clamp(second, 0, 59) / 2);
  return result;
}

std::string DeflateZipCompressor::Compress(std::string_view bytes) const { return codec::DeflateRaw(bytes); }

ZipWriter::ZipWriter(ZipSink& sink, const ZipCompressor* compressor) : sink_(sink), compressor_(compressor) {}

bool ZipWriter::Emit(std::string_view bytes) {
  if (failed_) return false;
  if (!sink_.Write(bytes)) failed_ = true;
  written_ += bytes.size();
  return !failed_;
}

bool ZipWriter::Add(std::u16string_view name, std::string_view content, DosDateTime modified) {
  if (failed_ || finished_ || entries_.size() >= kMaxEntries || content.size() > kMaxField ||
      written_ > kMaxField) {
    return false;
  }
  Entry entry;
  entry.name = Utf16ToUtf8(name);
  if (entry.name.size() > std::numeric_limits<std::uint16_t>::max()) return false;
  entry.modified = modified;
  entry.crc = codec::Crc32(content);
  entry.size = static_cast<std::uint32_t>(content.size());
  entry.offset = static_cast<std::uint32_t>(written_);

  std::string packed;
  std::string_view data = content;
  entry.method = kMethodStored;
  if (compressor_ != nullptr && !content.empty()) {
    packed = compressor_->Compress(content);
    if (packed.size() < content.size()) {
      entry.method = compressor_->Method();
      data = packed;
    }
  }
  entry.compressedSize = static_cast<std::uint32_t>(data.size());
  if (written_ + 30 + entry.name.size() + data.size() > kMaxField) return false;

  std::string header;
  Put32(header, kLocalHeaderSignature);
  PutSharedFields(header, entry);
  Put16(header, 0);  // no extra field
  header += entry.name;
  if (!Emit(header) || !Emit(data)) return false;
  entries_.push_back(std::move(entry));
  return true;
}

// The fields a local header and its central directory record share, in the
// same order: version needed, flags, method, time, date, CRC, sizes, name length.
void ZipWriter::PutSharedFields(std::string& out, const Entry& entry) {
  Put16(out, kVersionNeeded);
  Put16(out, kFlagUtf8Names);
  Put16(out, entry.method);
  Put16(out, entry.modified.time);
  Put16(out, entry.modified.date);
  Put32(out, entry.crc);
  Put32(out, entry.compressedSize);
  Put32(out, entry.size);
  Put16(out, static_cast<std::uint16_t>(entry.name.size()));
}

bool ZipWriter::Finish() {
  if (failed_ || finished_) return false;
  finished_ = true;
  const std::uint64_t directoryStart = written_;
  std::string directory;
  for (const Entry& entry : entries_) {
    Put32(directory, kCentralHeaderSignature);
    Put16(directory, kVersionMadeBy);
    PutSharedFields(directory, entry);
    Put16(directory, 0);  // extra field
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk number
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes: a plain file
    Put32(directory, entry.offset);
    directory += entry.name;
  }
  if (directoryStart + directory.size() > kMaxField) {
    failed_ = true;
    return false;
  }
  std::string end;
  Put32(end, kEndRecordSignature);
  Put16(end, 0);  // this disk
  Put16(end, 0);  // the disk where the directory starts
  Put16(end, static_cast<std::uint16_t>(entries_.size()));
  Put16(end, static_cast<std::uint16_t>(entries_.size()));
  Put32(end, static_cast<std::uint32_t>(directory.size()));
  Put32(end, static_cast<std::uint32_t>(directoryStart));
  Put16(end, 0);  // no archive comment
  return Emit(directory) && Emit(end);
}

}  // namespace velmoran::crash
