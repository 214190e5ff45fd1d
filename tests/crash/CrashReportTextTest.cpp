#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "crash/CrashReportText.h"
#include "tests/support/CaseName.h"

using velmoran::Utf16ToUtf8;
using velmoran::crash::CodeLocation;
using velmoran::crash::ComposeCrashReport;
using velmoran::crash::CrashFacts;
using velmoran::crash::kReportLogLines;
using velmoran::crash::kTerminateCode;
using velmoran::crash::LocationText;
using velmoran::crash::ModuleFacts;
using velmoran::crash::ReportFolderName;

namespace {

CrashFacts AccessViolation() {
  CrashFacts facts;
  facts.code = 0xC0000005;
  facts.caughtBy = u"unhandled structured exception";
  facts.detail = u"reading address 0x0000FFF0";
  facts.where = CodeLocation{0x00412345, u"velmoran.exe", 0x12345, u"ReadMessage"};
  facts.threadId = 36;
  facts.onUserInterfaceThread = true;
  facts.time = {2026, 4, 2, 28, 9, 5, 7, 45};
  facts.upTimeMilliseconds = 3723004;
  facts.executablePath = u"C:\\velmoran\\velmoran.exe";
  facts.executableVersion = u"26.4.28.0";
  facts.windowsVersion = u"6.1.7601";
  facts.runtimeVersion = u"135.0.3179.45";
  facts.stackMethod = u"StackWalk64";
  facts.stack = {*facts.where, CodeLocation{0x7B012345, u"user32.dll", 0x2345, {}},
                 CodeLocation{0x1234, {}, 0, {}}};
  facts.modules = {ModuleFacts{u"C:\\velmoran\\velmoran.exe", 0x400000, 0x4A000, u"26.4.28.0"},
                   ModuleFacts{u"C:\\windows\\system32\\ntdll.dll", 0x7BC00000, 0x100000, {}}};
  facts.logLines = {u"04-28 9:5:06.001:::WebMessageReceived triggered", u"04-28 9:5:07.044:::이미지 저장"};
  return facts;
}

// Each line the text must hold, whole; "Label: value" stands for the label,
// its colon, any number of blanks that line the values up, and the value.
bool HasLine(const std::string& text, std::string line) {
  const std::size_t colon = line.find(": ");
  if (colon != std::string::npos && line[0] != ' ') {
    const std::string label = line.substr(0, colon + 1);
    const std::string value = line.substr(colon + 2);
    for (std::size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
      if (at != 0 && text.compare(at - 2, 2, "\r\n") != 0) continue;
      std::size_t start = at + label.size();
      while (start < text.size() && text[start] == ' ') ++start;
      if (text.compare(start, value.size() + 2, value + "\r\n") == 0) return true;
    }
    return false;
  }
  return ("\r\n" + text).find("\r\n" + line + "\r\n") != std::string::npos;
}

struct LineCase {
  std::string name;
  std::string line;
};

class CrashReportLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(CrashReportLineTest, ReportHoldsTheLine) {
  const std::string text = Utf16ToUtf8(ComposeCrashReport(AccessViolation()));
  EXPECT_TRUE(HasLine(text, GetParam().line)) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Facts, CrashReportLineTest,
    testing::Values(
        LineCase{"CodeAndName", "Exception: 0xC0000005 EXCEPTION_ACCESS_VIOLATION"},
        LineCase{"Detail", "Detail: reading address 0x0000FFF0"},
        LineCase{"AddressModuleOffsetSymbol", "Address: 0x00412345 velmoran.exe+0x00012345 ReadMessage"},
        LineCase{"Thread", "Thread: 36 (user-interface thread)"},
        LineCase{"Time", "Time: 2026-04-28 09:05:07"}, LineCase{"UpTime", "Up time: 1:02:03.004"},
        LineCase{"RuntimeVersion", "Browser runtime: 135.0.3179.45"},
        LineCase{"FirstFrame", "  #0  0x00412345  velmoran.exe+0x00012345 ReadMessage"},
        LineCase{"FrameWithoutSymbol", "  #1  0x7B012345  user32.dll+0x00002345"},
        LineCase{"FrameOutsideModules", "  #2  0x00001234  0x00001234"},
        LineCase{"ModuleWithVersion", "  0x00400000  0x0004A000  26.4.28.0  C:\\velmoran\\velmoran.exe"},
        LineCase{"ModuleWithoutVersion", "  0x7BC00000  0x00100000  -  C:\\windows\\system32\\ntdll.dll"},
        LineCase{"LogLineInUtf8", "  04-28 9:5:07.044:::이미지 저장"}),
    velmoran::test::CaseName());

TEST(CrashReportTextTest, MissingFactsSayUnknownAndTheNotesSayWhy) {
  CrashFacts facts;
  facts.code = 0x12345678;
  facts.notes = {u"minidump.dmp: dbghelp.dll could not be loaded"};
  const std::string text = Utf16ToUtf8(ComposeCrashReport(facts));
  EXPECT_TRUE(HasLine(text, "Exception: 0x12345678")) << text;
  EXPECT_TRUE(HasLine(text, "Address: unknown")) << text;
  EXPECT_TRUE(HasLine(text, "Browser runtime: unknown")) << text;
  EXPECT_TRUE(HasLine(text, "  none could be walked")) << text;
  EXPECT_TRUE(HasLine(text, "  minidump.dmp: dbghelp.dll could not be loaded")) << text;
}

TEST(CrashReportTextTest, KeepsTheNewestLogLinesInOrder) {
  CrashFacts facts = AccessViolation();
  facts.logLines.clear();
  for (std::size_t i = 0; i < kReportLogLines + 5; ++i)
    facts.logLines.push_back(u"line " + velmoran::DecimalText(static_cast<std::int64_t>(i)));
  const std::string text = Utf16ToUtf8(ComposeCrashReport(facts));
  EXPECT_FALSE(HasLine(text, "  line 4")) << text;
  const std::size_t first = text.find("\r\n  line 5\r\n");
  const std::size_t last = text.find("\r\n  line " + std::to_string(kReportLogLines + 4) + "\r\n");
  ASSERT_NE(first, std::string::npos) << text;
  EXPECT_LT(first, last);
}

TEST(CrashReportTextTest, OwnCodesAreNamed) {
  CrashFacts facts;
  facts.code = kTerminateCode;
  EXPECT_TRUE(HasLine(Utf16ToUtf8(ComposeCrashReport(facts)), "Exception: 0xE0564D01 std::terminate"));
}

TEST(CrashLocationTest, ModuleOffsetOrBareAddress) {
  EXPECT_EQ(LocationText(CodeLocation{0x10012, u"a.dll", 0x12, {}}), u"a.dll+0x00000012");
  EXPECT_EQ(LocationText(CodeLocation{0x10012, {}, 0, {}}), u"0x00010012");
  EXPECT_EQ(LocationText(CodeLocation{0x123456789A, {}, 0, u"f"}), u"0x000000123456789A f");
  // A 64-bit process's addresses all have sixteen digits; offsets keep eight.
  EXPECT_EQ(LocationText(CodeLocation{0x10012, {}, 0, {}}, 16), u"0x0000000000010012");
  EXPECT_EQ(LocationText(CodeLocation{0x10012, u"a.dll", 0x12, {}}, 16), u"a.dll+0x00000012");
}

TEST(CrashReportTextTest, SixtyFourBitProcessShowsSixteenDigitAddresses) {
  CrashFacts facts = AccessViolation();
  facts.addressDigits = 16;
  const std::string text = Utf16ToUtf8(ComposeCrashReport(facts));
  EXPECT_TRUE(HasLine(text, "Address: 0x0000000000412345 velmoran.exe+0x00012345 ReadMessage")) << text;
  EXPECT_TRUE(HasLine(text, "  #1  0x000000007B012345  user32.dll+0x00002345")) << text;
  EXPECT_TRUE(HasLine(text, "  0x000000007BC00000  0x00100000  -  C:\\windows\\system32\\ntdll.dll")) << text;
}

TEST(ReportFolderNameTest, DateAndTimeThenTheAttempt) {
  const velmoran::platform::SystemTime time{2026, 1, 4, 5, 0, 3, 9, 999};
  EXPECT_EQ(ReportFolderName(time, 1), u"2026-01-05_00-03-09");
  EXPECT_EQ(ReportFolderName(time, 2), u"2026-01-05_00-03-09_2");
  EXPECT_EQ(ReportFolderName(time, 12), u"2026-01-05_00-03-09_12");
}

}  // namespace
