#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Crc32.h"
#include "crash/ZipWriter.h"
#include "tests/crash/ZipReading.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace {

using velmoran::Utf16ToUtf8;
using velmoran::codec::Crc32;
using velmoran::crash::DosDateTime;
using velmoran::crash::MakeDosDateTime;
using velmoran::crash::StringZipSink;
using velmoran::crash::ZipCompressor;
using velmoran::crash::ZipSink;
using velmoran::crash::ZipWriter;
using velmoran::test::CaseName;
using velmoran::test::ReadZip;
using velmoran::test::TempFolder;

struct ZipFile {
  std::u16string name;
  std::string content;
};

struct ZipCase {
  const char* name;
  std::vector<ZipFile> files;
};

// Bytes that no simple pattern repeats in, the way a minidump's look.
std::string NoisyBytes(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 0x12345678;
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::vector<ZipCase> ZipCases() {
  return {
      {"NoEntries", {}},
      {"EmptyFile", {{u"empty.txt", ""}}},
      {"KoreanName", {{u"보고서/연락처 정보.txt", "이름: 홍길동\r\n"}}},
      {"FewMegabytes", {{u"minidump.dmp", NoisyBytes(3 * 1024 * 1024 + 17)}}},
      {"ReportFolder",
       {{u"20261210-203525/contact.txt", "a"},
        {u"20261210-203525/minidump.dmp", NoisyBytes(4096)},
        {u"20261210-203525/report.txt", std::string(1000, 'r')}}},
  };
}

std::string WrittenArchive(const std::vector<ZipFile>& files, DosDateTime when) {
  StringZipSink sink;
  ZipWriter writer(sink);
  for (const ZipFile& file : files) EXPECT_TRUE(writer.Add(file.name, file.content, when));
  EXPECT_TRUE(writer.Finish());
  return sink.bytes();
}

std::string CommandOutput(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "cannot start: " + command;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  ::pclose(pipe);
  return output;
}

// What Python's zipfile makes of the archive: one line per entry (name,
// size, CRC, date and time, flags) and the verdict of its own CRC check of
// every entry's data ("None" when all are sound).
std::string PythonView(const std::string& archive) {
  const TempFolder folder;
  const auto path = folder.path() / "archive.zip";
  std::ofstream(path, std::ios::binary).write(archive.data(), static_cast<std::streamsize>(archive.size()));
  const std::string command =
      "python3 -c 'import sys, zipfile\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "for i in z.infolist(): print(i.filename, i.file_size, \"%08X\" % i.CRC, i.date_time, i.flag_bits)\n"
      "print(z.testzip())' " +
      path.string();
  return CommandOutput(command);
}

// The names Info-ZIP's unzip lists, one a line, in a UTF-8 locale.
std::string UnzipNames(const std::string& archive) {
  const TempFolder folder;
  const auto path = folder.path() / "archive.zip";
  std::ofstream(path, std::ios::binary).write(archive.data(), static_cast<std::streamsize>(archive.size()));
  return CommandOutput("LC_ALL=C.UTF-8 unzip -Z1 " + path.string() + " 2>&1");
}

class ZipWriterCases : public testing::TestWithParam<ZipCase> {};

TEST_P(ZipWriterCases, EntriesReadBackWithTheirNamesAndCrcs) {
  const DosDateTime when = MakeDosDateTime(2026, 12, 10, 20, 35, 25);
  const std::string archive = WrittenArchive(GetParam().files, when);

  const auto entries = ReadZip(archive);
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), GetParam().files.size());
  std::string expectedPython;
  std::string expectedNames;
  for (std::size_t i = 0; i < entries->size(); ++i) {
    const ZipFile& file = GetParam().files[i];
    const auto& entry = (*entries)[i];
    EXPECT_EQ(entry.name, Utf16ToUtf8(file.name));
    EXPECT_EQ(entry.flags, 1 << 11) << "UTF-8 names, nothing else";
    EXPECT_EQ(entry.method, 0) << "stored";
    EXPECT_EQ(entry.crc, Crc32(file.content));
    EXPECT_EQ(entry.size, file.content.size());
    EXPECT_TRUE(entry.data == file.content);
    EXPECT_EQ(entry.date, when.date);
    EXPECT_EQ(entry.time, when.time);
    expectedNames += entry.name + "\n";
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", Crc32(file.content));
    expectedPython += entry.name + " " + std::to_string(file.content.size()) + " " + crc +
                      " (2026, 12, 10, 20, 35, 24) 2048\n";
  }
  EXPECT_EQ(PythonView(archive), expectedPython + "None\n");
  if (!entries->empty()) {  // unzip answers an empty archive with a warning, not a list
    EXPECT_EQ(UnzipNames(archive), expectedNames);
  }
}

INSTANTIATE_TEST_SUITE_P(Archives, ZipWriterCases, testing::ValuesIn(ZipCases()), CaseName());

struct DosCase {
  int year, month, day, hour, minute, second;
  std::uint16_t date, time;
};

TEST(ZipWriterTest, DosDateTimeHoldsWhatTheFormatCanAndClampsTheRest) {
  const DosCase cases[] = {
      {2026, 12, 10, 20, 35, 25, (46 << 9) | (12 << 5) | 10, (20 << 11) | (35 << 5) | 12},
      {1980, 1, 1, 0, 0, 0, (0 << 9) | (1 << 5) | 1, 0},
      {2107, 12, 31, 23, 59, 59, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
      {1970, 0, 0, -1, -1, -1, (0 << 9) | (1 << 5) | 1, 0},
      {2200, 13, 32, 24, 60, 61, (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
  };
  for (const DosCase& c : cases) {
    const DosDateTime value = MakeDosDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
    EXPECT_EQ(value.date, c.date) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(value.time, c.time) << c.hour << ":" << c.minute << ":" << c.second;
  }
}

// A stand-in for deflate: method 8 in the headers, the data halved.
class HalvingCompressor final : public ZipCompressor {
 public:
  std::uint16_t Method() const override { return 8; }
  std::string Compress(std::string_view bytes) const override {
    return std::string(bytes.substr(0, bytes.size() / 2));
  }
};
// One that never gains anything.
class GrowingCompressor final : public ZipCompressor {
 public:
  std::uint16_t Method() const override { return 8; }
  std::string Compress(std::string_view bytes) const override { return std::string(bytes) + "+"; }
};

TEST(ZipWriterTest, ACompressorIsUsedOnlyWhereItMakesTheEntrySmaller) {
  const std::string content(100, 'x');
  for (const bool gains : {true, false}) {
    const HalvingCompressor halving;
    const GrowingCompressor growing;
    StringZipSink sink;
    ZipWriter writer(sink, gains ? static_cast<const ZipCompressor*>(&halving) : &growing);
    ASSERT_TRUE(writer.Add(u"a.txt", content, DosDateTime{}));
    ASSERT_TRUE(writer.Add(u"empty.txt", "", DosDateTime{}));
    ASSERT_TRUE(writer.Finish());
    const auto entries = ReadZip(sink.bytes());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].method, gains ? 8 : 0);
    EXPECT_EQ((*entries)[0].data, gains ? content.substr(0, 50) : content);
    EXPECT_EQ((*entries)[0].crc, Crc32(content)) << "the CRC is the uncompressed data's";
    EXPECT_EQ((*entries)[0].size, content.size());
    EXPECT_EQ((*entries)[1].method, 0) << "nothing to compress";
  }
}

TEST(ZipWriterTest, DeflatedEntriesInflateBackInPythonsZipfile) {
  std::string minidump = NoisyBytes(std::size_t{64} * 1024);
  minidump.append(std::size_t{256} * 1024, '\0');  // a dump's unused pages
  std::string report;
  for (int i = 0; i < 200; ++i)
    report += "  #" + std::to_string(i) + "  0x00472C60  velmoran.exe+0x00072C60\r\n";
  const std::vector<ZipFile> files = {{u"folder/minidump.dmp", minidump},
                                      {u"folder/report.txt", report},
                                      {u"folder/noise.bin", NoisyBytes(4096)}};

  const velmoran::crash::DeflateZipCompressor deflate;
  StringZipSink sink;
  ZipWriter writer(sink, &deflate);
  const DosDateTime when = MakeDosDateTime(2026, 12, 10, 20, 35, 25);
  for (const ZipFile& file : files) ASSERT_TRUE(writer.Add(file.name, file.content, when));
  ASSERT_TRUE(writer.Finish());

  const auto entries = ReadZip(sink.bytes());
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].method, 8);
  EXPECT_LT((*entries)[0].data.size(), minidump.size() / 3);
  EXPECT_EQ((*entries)[1].method, 8);
  EXPECT_LT((*entries)[1].data.size(), report.size() / 4);
  EXPECT_EQ((*entries)[2].method, 0) << "noise does not shrink, so it stays stored";
  // zipfile inflates each entry and checks it against the CRC of the original bytes.
  std::string expected;
  for (const ZipFile& file : files) {
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", Crc32(file.content));
    expected += Utf16ToUtf8(file.name) + " " + std::to_string(file.content.size()) + " " + crc +
                " (2026, 12, 10, 20, 35, 24) 2048\n";
  }
  EXPECT_EQ(PythonView(sink.bytes()), expected + "None\n");
}

// Takes `room` bytes, then refuses.
class FullSink final : public ZipSink {
 public:
  explicit FullSink(std::size_t room) : room_(room) {}
  bool Write(std::string_view bytes) override {
    if (bytes.size() > room_) return false;
    room_ -= bytes.size();
    return true;
  }

 private:
  std::size_t room_;
};

TEST(ZipWriterTest, AFailedWriteEndsTheArchive) {
  FullSink sink(40);
  ZipWriter writer(sink);
  EXPECT_TRUE(writer.Add(u"a", "1", DosDateTime{}));  // 30 + 1 + 1 bytes
  EXPECT_FALSE(writer.Add(u"b", "2", DosDateTime{}));
  EXPECT_FALSE(writer.Add(u"c", "", DosDateTime{})) << "nothing follows a failure";
  EXPECT_FALSE(writer.Finish());
}

TEST(ZipWriterTest, NoEntryFollowsTheEndRecord) {
  StringZipSink sink;
  ZipWriter writer(sink);
  ASSERT_TRUE(writer.Finish());
  const std::size_t size = sink.bytes().size();
  EXPECT_FALSE(writer.Add(u"late.txt", "x", DosDateTime{}));
  EXPECT_FALSE(writer.Finish());
  EXPECT_EQ(sink.bytes().size(), size);
}

}  // namespace
