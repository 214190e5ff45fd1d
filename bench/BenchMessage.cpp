#include "bench/BenchMessage.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <memory>

#include "base/Text.h"
#include "codec/Base64.h"
#include "codec/JsonString.h"

namespace velmoran::bench {
namespace {

// A small linear congruential generator: the same message on every run.
class PseudoRandom {
 public:
  explicit PseudoRandom(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  // A value in [low, high).
  double Between(double low, double high) { return low + (high - low) * (Next() / 4294967296.0); }

 private:
  std::uint32_t state_;
};

std::string PseudoPng(std::size_t size) {
  static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
  std::string png(kSignature, sizeof kSignature - 1);
  png.reserve(size);
  PseudoRandom random(0x504E47u);
  while (png.size() < size) png.push_back(static_cast<char>(random.Next() >> 24));
  png.resize(size);
  return png;
}

std::u16string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return AsciiToUtf16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// Pose landmarks as the page serialises them: one array of 33 points per frame.
std::u16string PoseLandmarksJson() {
  PseudoRandom random(33);
  std::u16string out = u"[";
  for (int frame = 0; frame < 6; ++frame) {
    out += frame == 0 ? u"[" : u",[";
    for (int point = 0; point < 33; ++point) {
      if (point != 0) out += u',';
      out += u"{\"x\":" + NumberText(random.Between(-0.8, 0.8));
      out += u",\"y\":" + NumberText(random.Between(-0.9, 0.9));
      out += u",\"z\":" + NumberText(random.Between(-0.5, 0.5));
      out += u",\"visibility\":" + NumberText(random.Between(0.0, 1.0)) + u"}";
    }
    out += u']';
  }
  out += u']';
  return out;
}

// The page's serialisation of its capture object, keys in the page's order,
// then `extraMembers`; posted as a string, handed over as that string's JSON form.
std::u16string MessageText(std::u16string_view callMode, std::u16string_view image,
                           std::u16string_view extraMembers) {
  const std::u16string memberInfo =
      u"{\"member_id\":\"M2026-0003\",\"name\":\"김서연\",\"gender\":\"F\",\"birth\":\"1991-04-17\","
      u"\"height\":162.5,\"weight\":54.3,\"phone\":\"010-1234-5678\"}";

  std::u16string inner = u"{";
  auto member = [&](std::u16string_view key, std::u16string_view value, bool isString) {
    if (inner.size() > 1) inner += u',';
    codec::AppendJsonStringLiteral(key, inner);
    inner += u':';
    if (isString) {
      codec::AppendJsonStringLiteral(value, inner);
    } else {
      inner += value;
    }
  };
  member(u"callMode", callMode, true);
  member(u"name", u"front", true);
  member(u"index", u"3", false);
  member(u"image", image, true);
  member(u"length", DecimalText(static_cast<std::int64_t>(image.size())), false);
  member(u"SavePath", u"A01", true);
  member(u"filename", u"3.png", true);
  member(u"jsonfilename", u"3.json", true);
  member(u"member_info", memberInfo, true);
  member(u"poseWorldLandmarks2", PoseLandmarksJson(), true);
  inner += extraMembers;
  inner += u'}';

  std::u16string text;
  codec::AppendJsonStringLiteral(inner, text);
  return text;
}

std::u16string ImageText(const std::string& png) {
  return u"data:image/png;base64," + AsciiToUtf16(codec::EncodeBase64(png));
}

BenchMessage Build(std::size_t pngBytes) {
  BenchMessage message;
  message.png = PseudoPng(pngBytes);
  message.imageBase64 = codec::EncodeBase64(message.png);
  message.image = u"data:image/png;base64," + AsciiToUtf16(message.imageBase64);
  message.text = MessageText(u"imgSave", message.image, {});
  message.textUtf8 = Utf16ToUtf8(message.text);
  return message;
}

}  // namespace

const BenchMessage& CaptureMessage(std::size_t pngBytes) {
  static std::map<std::size_t, std::unique_ptr<BenchMessage>> built;
  auto& slot = built[pngBytes];
  if (!slot) slot = std::make_unique<BenchMessage>(Build(pngBytes));
  return *slot;
}

std::u16string CaptureMessageText(std::size_t pngBytes, std::u16string_view callMode,
                                  std::u16string_view extraMembers) {
  return MessageText(callMode, ImageText(PseudoPng(pngBytes)), extraMembers);
}

const BenchMessage& MessageFor(const benchmark::State& state) {
  return CaptureMessage(static_cast<std::size_t>(state.range(0)));
}

}  // namespace velmoran::bench
