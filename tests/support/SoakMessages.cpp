#include "tests/support/SoakMessages.h"

#include <array>
#include <string_view>

#include "codec/Base64.h"
#include "codec/Crc32.h"

namespace velmoran::test {
namespace {

// xorshift64*: the same numbers on every compiler, unlike the standard
// library's distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1Dull;
  }
  std::size_t Below(std::size_t limit) { return static_cast<std::size_t>(Next() % limit); }

 private:
  std::uint64_t state_;
};

std::string Number(std::size_t value, int width) {
  std::string digits = std::to_string(value);
  if (digits.size() < static_cast<std::size_t>(width)) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The bytes of an image: a PNG signature, then noise (nothing checks that
// they form a picture, and noise does not compress or repeat by chance).
std::string ImageBytes(Random& random, std::size_t size) {
  static constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
  std::string bytes(kSignature.substr(0, size < kSignature.size() ? size : kSignature.size()));
  bytes.reserve(size);
  while (bytes.size() + 8 <= size) {
    const std::uint64_t word = random.Next();
    for (int shift = 0; shift < 64; shift += 8) bytes.push_back(static_cast<char>(word >> shift));
  }
  while (bytes.size() < size) bytes.push_back(static_cast<char>(random.Next()));
  return bytes;
}

// The browser hands a posted string over as its JSON text: the object's text
// inside quotes, with its quotes and backslashes escaped once more.
std::string AsPostedString(std::string_view objectText) {
  std::string out;
  out.reserve(objectText.size() + objectText.size() / 8 + 2);
  out.push_back('"');
  for (char c : objectText) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// A JSON string literal of ASCII text without control characters.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

SoakFile FileOf(std::string_view bytes) { return SoakFile{bytes.size(), codec::Crc32(bytes)}; }

class SoakWriter {
 public:
  SoakWriter(const SoakPlan& plan, std::FILE* out) : plan_(plan), out_(out), random_(plan.seed) {}

  SoakOutcome Write() {
    for (std::size_t n = 0; n < plan_.messages; ++n) {
      const std::size_t kind = random_.Below(100);
      if (kind < 35) {
        Capture();
      } else if (kind < 65) {
        Query();
      } else if (kind < 80) {
        Check();
      } else if (kind < 90) {
        OtherMode();
      } else {
        Broken();
      }
    }
    return outcome_;
  }

 private:
  void Line(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    outcome_.bytes += text.size() + 1;
  }

  // "M007\2026-12-03" as the page writes a member's day folder.
  std::string SaveFolder() {
    return "M" + Number(random_.Below(plan_.members) + 1, 3) + "\\2026-12-" +
           Number(random_.Below(plan_.days) + 1, 2);
  }

  void Capture() {
    const std::string folder = SaveFolder();
    const std::size_t index = random_.Below(4) + 1;
    const std::size_t size =
        plan_.smallestImage + random_.Below(plan_.largestImage - plan_.smallestImage + 1);
    const std::string image = ImageBytes(random_, size);
    const std::string member =
        "{\"member\":\"" + folder.substr(0, 4) + "\",\"visit\":" + std::to_string(random_.Below(1000)) + "}";
    const std::string pose = "[[0." + Number(random_.Below(1000), 3) + ", 0.25, -0.1]]";
    const std::string base64 = codec::EncodeBase64(image);
    std::string object =
        "{\"callMode\":\"imgSave\",\"name\":\"pose-capture\",\"index\":" + std::to_string(index) +
        ",\"image\":\"data:image/png;base64,";
    object += base64;
    object += "\",\"length\":" + std::to_string(base64.size() + 22) + ",\"SavePath\":" + Quoted(folder) +
              ",\"filename\":\"" + std::to_string(index) + ".png\",\"jsonfilename\":\"" +
              std::to_string(index) + ".json\",\"member_info\":" + Quoted(member) +
              ",\"poseWorldLandmarks2\":" + Quoted(pose) + "}";
    Line(AsPostedString(object));
    std::string path = folder;
    path[4] = '/';
    outcome_.files[path + "/user.txt"] = FileOf(member);
    outcome_.files[path + "/" + std::to_string(index) + ".json"] = FileOf(pose);
    outcome_.files[path + "/" + std::to_string(index) + ".png"] = FileOf(image);
    ++outcome_.captures;
  }

  void Query() {
    Line("{\"image\":\"\",\"name\":\"query\",\"index\":" + std::to_string(random_.Below(4) + 1) +
         ",\"length\":0}");
    ++outcome_.queries;
  }

  void Check() {
    Line(
        AsPostedString("{\"callMode\":\"sendAllDataCall\",\"name\":\"check\",\"index\":0,\"image\":\"\","
                       "\"length\":0,\"SavePath\":" +
                       Quoted(SaveFolder()) +
                       ",\"filename\":\"\",\"jsonfilename\":\"\",\"member_info\":\"\","
                       "\"poseWorldLandmarks2\":\"\"}"));
    ++outcome_.checks;
  }

  // A capture message of another mode: its folder is made, nothing written.
  void OtherMode() {
    const std::string folder = SaveFolder();
    Line(
        AsPostedString("{\"callMode\":\"preview\",\"name\":\"p\",\"index\":1,\"image\":\"\",\"length\":0,"
                       "\"SavePath\":" +
                       Quoted(folder) +
                       ",\"filename\":\"1.png\",\"jsonfilename\":\"1.json\",\"member_info\":\"\","
                       "\"poseWorldLandmarks2\":\"\"}"));
    ++outcome_.others;
  }

  void Broken() {
    static constexpr std::array<std::string_view, 8> kBroken = {
        "{\"image\":\"\",\"name\":\"query\",\"index\":",        // cut off
        "\"{\\\"callMode\\\":\\\"imgSave\\\",\\\"index\\\":1",  // the inner object cut off
        "not json at all",
        "{\"image\":1,\"name\":\"query\",\"index\":1,\"length\":0}",  // a field of the wrong type
        "\"{\\\"callMode\\\":\\\"imgSave\\\",\\\"SavePath\\\":\\\"M001\\\\\\\\x*y\\\"}\"",  // a wildcard in
                                                                                            // the path
        "[0,0,0,0,0,0,0,0,0,0]",
        "\"[1,2,3]\"",
        "null",
    };
    Line(kBroken[random_.Below(kBroken.size())]);
    ++outcome_.broken;
  }

  const SoakPlan& plan_;
  std::FILE* out_;
  Random random_;
  SoakOutcome outcome_;
};

}  // namespace

SoakOutcome WriteSoakMessages(const SoakPlan& plan, std::FILE* out) { return SoakWriter(plan, out).Write(); }

}  // namespace velmoran::test
