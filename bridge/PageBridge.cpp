#include "bridge/PageBridge.h"

#include <array>
#include <exception>
#include <optional>

#include "base/Text.h"
#include "bridge/BridgeError.h"
#include "bridge/JsonFields.h"
#include "bridge/WebOrigin.h"
#include "codec/Json.h"
#include "codec/JsonInString.h"

namespace velmoran::bridge {
namespace {

constexpr std::u16string_view kAppExitMessage = u"\"AppExit\"";
constexpr std::u16string_view kCheckAllMode = u"sendAllDataCall";
constexpr std::u16string_view kForeignSource = u"다른 출처의 메시지를 거부했습니다: ";
constexpr std::u16string_view kUnknownSource = u"출처를 알 수 없는 메시지를 거부했습니다.";
constexpr std::u16string_view kFailedImage = u"최근 저장에 실패한 이미지 파일: ";
// How much of a refused document's address the log line shows.
constexpr std::size_t kShownSourceLength = 512;

// The address as one log line: cut to kShownSourceLength (never inside a
// surrogate pair), control characters shown as "?".
std::u16string ShownSource(std::u16string_view source) {
  std::size_t length = source.size();
  if (length > kShownSourceLength) {
    length = kShownSourceLength;
    if (source[length - 1] >= 0xD800 && source[length - 1] <= 0xDBFF) --length;
  }
  std::u16string shown(source.substr(0, length));
  for (char16_t& c : shown) {
    if (c < u' ' || c == 0x7F) c = u'?';
  }
  if (length < source.size()) shown.append(u"…");
  return shown;
}

std::u16string IndexReply(std::int32_t index, bool found) {
  return u"img_send_indx_done(" + DecimalText(index) + u"," + (found ? u"1" : u"0") + u")";
}

}  // namespace

void PageBridgeHost::logwParts(std::span<const std::u16string_view> parts) {
  std::u16string text;
  for (const std::u16string_view part : parts) text.append(part);
  logw(text);
}

PageBridge::PageBridge(platform::Platform& platform, PageBridgeHost& host)
    : platform_(platform),
      host_(host),
      store_(platform, [&host](std::u16string_view text) { host.logw(text); }) {}

bool PageBridge::AcceptsSource(const std::u16string_view* source, std::u16string_view pageURL) noexcept {
  try {
    if (source == nullptr) {
      host_.logw(kUnknownSource);
      return false;
    }
    const std::optional<WebOrigin> origin = OriginOf(*source);
    if (origin && origin == OriginOf(pageURL)) return true;
    host_.logw(std::u16string(kForeignSource) + ShownSource(*source));
  } catch (...) {
    // Out of memory for the log line: the message is refused all the same.
  }
  return false;
}

void PageBridge::WebMessageReceived(const std::u16string* messageJson) noexcept {
  if (messageJson == nullptr) return HandleMessage(nullptr);
  const std::u16string_view text(*messageJson);
  HandleMessage(&text);
}

void PageBridge::WebMessageReceived(std::u16string_view messageJson) noexcept { HandleMessage(&messageJson); }

void PageBridge::HandleMessage(const std::u16string_view* messageJson) noexcept {
  try {
    host_.logw(u"WebMessageReceived triggered");
    std::u16string callMode;
    std::int32_t index = -1;
    std::u16string_view text;
    if (messageJson == nullptr) {
      host_.logw(u"Failed to get JSON message.");
    } else {
      text = *messageJson;
      if (ParseMessage(text, callMode, nullptr, index)) {
        AnswerIndex(index);
      } else {
        host_.logw(u"Failed to parse JSON.--1");
      }
    }
    if (text == kAppExitMessage) {
      host_.ToggleFullScreen();
      return;
    }
    if (callMode == kCheckAllMode) CheckFourImages(text);
  } catch (...) {
    // Nothing may cross back into the browser's callback; each step that can
    // fail has logged already.
  }
}

void PageBridge::ExecuteScriptCompleted(std::int32_t errorCode, std::u16string_view, std::int32_t) noexcept {
  try {
    if (errorCode < 0) host_.logw(u"--- 스크립트 실행 실패: " + DecimalText(errorCode));
  } catch (...) {
  }
}

bool PageBridge::ParsePageMessage(std::u16string_view text, std::u16string& callMode, std::u16string& image,
                                  std::int32_t& index) {
  image.clear();
  return ParseMessage(text, callMode, &image, index);
}

bool PageBridge::ParseMessage(std::u16string_view text, std::u16string& callMode, std::u16string* image,
                              std::int32_t& index) {
  index = -1;
  try {
    return DecodeMessage(text, callMode, image, index);
  } catch (const BridgeError& error) {
    host_.logw(u"Exception JSON parsing: " + error.text());
  } catch (const std::exception& error) {
    // Out of memory on a huge message and the like: still one clear line.
    host_.logw(u"Exception JSON parsing: " + Utf8ToUtf16(error.what()));
  }
  return false;
}

bool PageBridge::DecodeMessage(std::u16string_view text, std::u16string& callMode, std::u16string* image,
                               std::int32_t& index) {
  // Only the members read below are kept of either object, so a message of
  // millions of small values costs no memory for them; and a capture's
  // inner object is decoded straight from the message's string literal, so
  // its megabytes are never written out: the image is a view into the
  // message, read once more only by its base64 decode.
  static constexpr std::array<std::u16string_view, 4> kQueryKeys = {u"image", u"name", u"index", u"length"};
  static constexpr std::array<std::u16string_view, 10> kCaptureKeys = {
      u"callMode", u"name",     u"index",        u"image",       u"length",
      u"SavePath", u"filename", u"jsonfilename", u"member_info", u"poseWorldLandmarks2"};

  std::optional<codec::JsonValue> inner;
  if (codec::ParseJsonInString(text, kCaptureKeys, inner) == codec::JsonStringContent::kNoString) {
    const std::optional<codec::JsonValue> value = codec::ParseJsonKeeping(text, kQueryKeys);
    if (!value) throw BridgeError(u"Failed to parse JSON value.");
    if (value->IsObject()) {  // an image query
      const std::u16string_view imageText = JsonGetText(*value, u"image");
      if (image != nullptr) image->assign(imageText);
      JsonGetText(*value, u"name");
      index = JsonGetInt(*value, u"index");
      JsonGetInt(*value, u"length");
      return true;
    }
    if (!value->IsNumber()) return false;
    // A number counts as a string here, its text being the number as written.
    inner = codec::ParseJsonKeeping(value->view(), kCaptureKeys);
  }

  // A capture message: a string holding the JSON text of an object.
  if (!inner) {
    host_.logw(u"Failed to parse the string into a JSON object.");
    return false;
  }
  if (!inner->IsObject()) throw BridgeError(u"Invalid class typecast");
  const codec::JsonValue& message = *inner;
  callMode = JsonGetString(message, u"callMode");
  JsonGetText(message, u"name");
  index = JsonGetInt(message, u"index");
  const std::u16string_view imageText = JsonGetText(message, u"image");
  if (image != nullptr) image->assign(imageText);
  JsonGetInt(message, u"length");
  const std::u16string_view savePath = JsonGetText(message, u"SavePath");
  const std::u16string_view filename = JsonGetText(message, u"filename");
  const std::u16string_view jsonfilename = JsonGetText(message, u"jsonfilename");
  const std::u16string_view memberInfo = JsonGetText(message, u"member_info");
  const std::u16string_view pose = JsonGetText(message, u"poseWorldLandmarks2");
  store_.StoreCapture(callMode, savePath, filename, jsonfilename, memberInfo, pose, imageText);
  return true;
}

void PageBridge::AnswerIndex(std::int32_t index) {
  const std::u16string path = store_.CurrentSaveDir() + u"\\" + DecimalText(index) + u".png";
  host_.logw(u"JSON successfully parsed.::" + path);
  const bool found = IsStoredImage(path);
  if (found) host_.logw(u" 이미지 파일 존재 완료-----------------------------");
  host_.ExecuteScript(IndexReply(index, found));
}

void PageBridge::CheckFourImages(std::u16string_view text) {
  host_.logw(u"웹에서 이미지 확인  실행시.");
  // The whole message in one line, handed over in parts: it may be megabytes.
  const std::array<std::u16string_view, 3> received = {u"***** [][0] Message received: [", text, u"]"};
  host_.logwParts(received);

  static constexpr std::array<std::u16string_view, 4> kNames = {u"1", u"2", u"3", u"4"};
  std::u16string missing;
  bool allFound = true;
  for (std::u16string_view name : kNames) {
    std::u16string path = store_.CurrentSaveDir();
    path.append(u"\\").append(name).append(u".png");
    if (IsStoredImage(path)) continue;
    allFound = false;
    missing.append(name).push_back(u',');
    host_.logw(missing);
  }
  if (allFound) {
    host_.logw(u"모든 이미지 파일 존재 완료-----------------------------");
    host_.ExecuteScript(u"img_send_all_done(\"" + missing + u"\")");
  } else {
    host_.ExecuteScript(u"img_send_all_no(\"" + missing + u"\")");
  }
}

bool PageBridge::IsStoredImage(std::u16string_view path) {
  if (!IsRegularFile(path)) return false;
  if (!store_.LatestSaveFailed(path)) return true;
  // The file on disk is older than the capture that failed: say why it is not counted.
  host_.logw(std::u16string(kFailedImage) + std::u16string(path));
  return false;
}

bool PageBridge::IsRegularFile(std::u16string_view path) {
  const std::uint32_t attributes = platform_.files().GetFileAttributesW(path);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) == 0;
}

}  // namespace velmoran::bridge
