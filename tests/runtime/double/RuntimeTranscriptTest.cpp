// The runtime double's transcript: the bytes of each line, and lines that
// reach the file one by one as they are written.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/SimPlatform.h"
#include "runtime/double/RuntimeTranscript.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

using runtime::doubles::RuntimeTranscript;

struct LineCase {
  const char* name;
  const char* event;
  std::vector<std::u16string> fields;
  std::string line;
};

class TranscriptFixture {
 protected:
  TranscriptFixture() : sim(root.path()) {}

  std::string FileText() const {
    std::ifstream file(root.path() / "C" / "transcript.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  TempFolder root;
  platform::sim::SimPlatform sim;
};

class RuntimeTranscriptLineTest : public TranscriptFixture, public testing::TestWithParam<LineCase> {};

TEST_P(RuntimeTranscriptLineTest, WritesOneLine) {
  RuntimeTranscript transcript(sim.files(), u"C:\\transcript.txt");
  const std::vector<std::u16string>& fields = GetParam().fields;
  switch (fields.size()) {
    case 0:
      transcript.Write(GetParam().event);
      break;
    case 1:
      transcript.Write(GetParam().event, {fields[0]});
      break;
    default:
      transcript.Write(GetParam().event, {fields[0], fields[1]});
  }
  EXPECT_EQ(FileText(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RuntimeTranscriptLineTest,
    testing::Values(LineCase{"EventAlone", "close", {}, "close\n"},
                    LineCase{"OneField", "unload", {u"0"}, "unload\t0\n"},
                    LineCase{"FieldsKeepBlanksAndBackslashes",
                             "environment",
                             {u"C:\\velmoran\\Custom Cache", u"--a=1 --b=*"},
                             "environment\tC:\\velmoran\\Custom Cache\t--a=1 --b=*\n"},
                    LineCase{"EmptyField", "page-message", {u""}, "page-message\t\n"},
                    LineCase{"Utf8", "page-message", {u"\"홍길동 😀\""}, "page-message\t\"홍길동 😀\"\n"},
                    LineCase{"ControlCharactersEscaped",
                             "script",
                             {u"a\tb\r\nc\x1F"},
                             "script\ta\\u0009b\\u000D\\u000Ac\\u001F\n"},
                    LineCase{
                        "UnpairedSurrogateReplaced", "script", {u"x\xD800y"}, "script\tx\xEF\xBF\xBDy\n"}),
    CaseName());

class RuntimeTranscriptTest : public TranscriptFixture, public testing::Test {};

TEST_F(RuntimeTranscriptTest, EachLineIsInTheFileBeforeTheNextIsWritten) {
  RuntimeTranscript transcript(sim.files(), u"C:\\transcript.txt");
  transcript.Write("navigate", {u"http://localhost/"});
  EXPECT_EQ(FileText(), "navigate\thttp://localhost/\n");
  transcript.Write("script", {u"f()"});
  EXPECT_EQ(FileText(), "navigate\thttp://localhost/\nscript\tf()\n");
}

TEST_F(RuntimeTranscriptTest, ReplacesAnEarlierTranscript) {
  std::ofstream(root.path() / "C" / "transcript.txt") << "unload\t3\n";
  RuntimeTranscript transcript(sim.files(), u"C:\\transcript.txt");
  transcript.Write("close", {u"0"});
  EXPECT_EQ(FileText(), "close\t0\n");
}

TEST_F(RuntimeTranscriptTest, WritesNothingAfterClose) {
  RuntimeTranscript transcript(sim.files(), u"C:\\transcript.txt");
  transcript.Write("unload", {u"0"});
  transcript.Close();
  transcript.Write("script", {u"late()"});
  EXPECT_EQ(FileText(), "unload\t0\n");
}

TEST_F(RuntimeTranscriptTest, WithoutAFileWritesNothing) {
  RuntimeTranscript unnamed(sim.files(), u"");
  RuntimeTranscript uncreatable(sim.files(), u"C:\\missing folder\\transcript.txt");
  unnamed.Write("unload", {u"0"});
  uncreatable.Write("unload", {u"0"});
  EXPECT_FALSE(unnamed.IsOpen());
  EXPECT_FALSE(uncreatable.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(root.path() / "C" / "missing folder"));
}

}  // namespace
}  // namespace velmoran::test
