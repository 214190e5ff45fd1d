// Black-box tests of velmoran-replay: the built binary is run with its input
// and arguments, and its output, exit code and written files are read back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/bridge/BridgeTestSupport.h"

namespace velmoran::test {
namespace {

struct ToolRun {
  int exitCode = -1;
  std::vector<std::string> out;
  std::string err;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ReplayToolTest : public ::testing::Test {
 protected:
  std::filesystem::path DriveC() const { return scratch.path() / "drive-c"; }

  ToolRun Replay(const std::string& arguments, const std::string& input) {
    const std::filesystem::path folder = scratch.path();
    WriteHostFile(folder / "in.txt", input);
    const std::string command = "'" VELMORAN_REPLAY_EXE "' " + arguments + " < '" +
                                (folder / "in.txt").string() + "' > '" + (folder / "out.txt").string() +
                                "' 2> '" + (folder / "err.txt").string() + "'; echo $? > '" +
                                (folder / "rc.txt").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    ToolRun run;
    run.exitCode = std::stoi(ReadHostFile(folder / "rc.txt"));
    run.out = Lines(ReadHostFile(folder / "out.txt"));
    run.err = ReadHostFile(folder / "err.txt");
    return run;
  }
  std::string DriveArgument() const { return "--drive-c '" + DriveC().string() + "'"; }

  TempFolder scratch;
};

TEST_F(ReplayToolTest, BadArgumentsExitWithUsage) {
  for (const std::string arguments : {"", "--drive-c", "--codepage 949", "--drive-c x --codepage none",
                                      "--drive-c x --codepage 0", "--drive-c x --verbose 1"}) {
    const ToolRun run = Replay(arguments, "");
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_NE(run.err.find("usage: velmoran-replay --drive-c DIR [--codepage N]"), std::string::npos)
        << arguments;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(ReplayToolTest, PrintsEveryEffectAndWritesTheCapture) {
  CaptureFields capture;
  capture.SavePath = "\"A01\\\\B\"";
  capture.member_info = "\"홍길동\"";
  const std::string input = Utf16ToUtf8(capture.Message()) + "\n!unreadable\n\"AppExit\"\r\n";
  const ToolRun run = Replay(DriveArgument(), input);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            (std::vector<std::string>{
                "log WebMessageReceived triggered", "log **** SavePath::C:\\\\velmoran_pose\\\\A01\\\\B\\\\",
                "log JSON successfully parsed.::C:\\\\velmoran_pose\\\\A01\\\\B\\\\\\\\3.png",
                "log  이미지 파일 존재 완료-----------------------------", "script img_send_indx_done(3,1)",
                "log WebMessageReceived triggered", "log Failed to get JSON message.",
                "log WebMessageReceived triggered", "log Failed to parse the string into a JSON object.",
                "log Failed to parse JSON.--1", "fullscreen"}));
  EXPECT_EQ(ReadHostFile(DriveC() / "velmoran_pose/A01/B/user.txt"), "홍길동");
  EXPECT_EQ(ReadHostFile(DriveC() / "velmoran_pose/A01/B/3.png"), std::string("\x00\x01\x02\x03", 4));
}

TEST_F(ReplayToolTest, WritesTheShellLogInTheAnsiCodePage) {
  const std::string query = "{\"image\":\"\",\"name\":\"n\",\"index\":1,\"length\":0}\n";
  ASSERT_EQ(Replay(DriveArgument(), query + "\"{\\\"callMode\\\":1}\"\n").exitCode, 0);
  const std::string log949 = ReadHostFile(DriveC() / "velmoran/errlog.txt");
  const std::regex stamp("[0-9]{2}-[0-9]{2} [0-9]{1,2}:[0-9]{1,2}:[0-9]{2}\\.[0-9]{3}:::");
  std::vector<std::string> records;
  for (std::string record : Lines(log949)) {
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(record.back(), '\r');
    record.pop_back();
    std::smatch match;
    ASSERT_TRUE(std::regex_search(record, match, stamp, std::regex_constants::match_continuous)) << record;
    records.push_back(match.suffix());
  }
  EXPECT_EQ(records, (std::vector<std::string>{
                         "WebMessageReceived triggered", "JSON successfully parsed.::\\1.png",
                         "WebMessageReceived triggered", "Exception JSON parsing: Value 'name' not found",
                         "Failed to parse JSON.--1"}));
}

TEST_F(ReplayToolTest, EscapesLineBreaksAndBackslashesInOutput) {
  // White space before the value is allowed; the four-image check logs the
  // whole message text, carriage return included.
  const std::string message = "\r\"{\\\"callMode\\\":\\\"sendAllDataCall\\\"}\"";
  const ToolRun run = Replay(DriveArgument(), message + "\n");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_NE(
      std::find(
          run.out.begin(), run.out.end(),
          "log ***** [][0] Message received: [\\r\"{\\\\\"callMode\\\\\":\\\\\"sendAllDataCall\\\\\"}\"]"),
      run.out.end());
  EXPECT_EQ(run.out.back(), "script img_send_all_no(\"1,2,3,4,\")");
}

TEST_F(ReplayToolTest, KoreanTextReachesTheLogFileAsCodePage949OrBestFit) {
  const std::string check = "\"{\\\"callMode\\\":\\\"sendAllDataCall\\\"}\"\n";
  ASSERT_EQ(Replay(DriveArgument(), check).exitCode, 0);
  const std::string korean = ReadHostFile(DriveC() / "velmoran/errlog.txt");
  EXPECT_NE(korean.find("\xC0\xA5\xBF\xA1\xBC\xAD"), std::string::npos);  // 웹에서 in code page 949
  std::filesystem::remove_all(DriveC());
  ASSERT_EQ(Replay(DriveArgument() + " --codepage 1252", check).exitCode, 0);
  const std::string western = ReadHostFile(DriveC() / "velmoran/errlog.txt");
  EXPECT_EQ(western.find("\xC0\xA5"), std::string::npos);
  EXPECT_NE(western.find(":::??? ??? ??  ???."), std::string::npos);
}

}  // namespace
}  // namespace velmoran::test
