#pragma once

// Shared pieces of the page bridge's tests: a fresh simulated Windows on a
// temporary folder, a shell that records what the bridge asks of it, and
// capture messages built the way the page posts them.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "bridge/PageBridge.h"
#include "platform/sim/SimPlatform.h"
#include "tests/support/HostFiles.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
using bridge::PageBridge;
using bridge::PageBridgeHost;

// Every effect in order, as text: "log <text>", "script <text>", "fullscreen".
class RecordingHost final : public PageBridgeHost {
 public:
  void logw(std::u16string_view text) override { effects.push_back("log " + Utf16ToUtf8(text)); }
  void ExecuteScript(std::u16string_view script) override {
    effects.push_back("script " + Utf16ToUtf8(script));
  }
  void ToggleFullScreen() override { effects.push_back("fullscreen"); }
  std::vector<std::string> effects;
};

// A JSON string literal holding `text`.
inline std::string JsonQuote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// The ten keys of a capture message, as raw JSON values.
struct CaptureFields {
  std::string callMode = "\"imgSave\"";
  std::string name = "\"pose\"";
  std::string index = "3";
  std::string image = "\"data:image/png;base64,AAECAw==\"";  // bytes 00 01 02 03
  std::string length = "8";
  std::string SavePath = "\"A01\"";
  std::string filename = "\"3.png\"";
  std::string jsonfilename = "\"3.json\"";
  std::string member_info = "\"member\"";
  std::string poseWorldLandmarks2 = "\"[1,2]\"";

  // The inner object's JSON text; an empty field is left out.
  std::string ObjectText() const {
    const std::pair<const char*, const std::string*> keys[] = {{"callMode", &callMode},
                                                               {"name", &name},
                                                               {"index", &index},
                                                               {"image", &image},
                                                               {"length", &length},
                                                               {"SavePath", &SavePath},
                                                               {"filename", &filename},
                                                               {"jsonfilename", &jsonfilename},
                                                               {"member_info", &member_info},
                                                               {"poseWorldLandmarks2", &poseWorldLandmarks2}};
    std::string out = "{";
    for (const auto& [key, value] : keys) {
      if (value->empty()) continue;
      if (out.size() > 1) out += ",";
      out += "\"" + std::string(key) + "\":" + *value;
    }
    return out + "}";
  }
  // The message text as the browser hands it over: the object's JSON text
  // posted as a string.
  std::u16string Message() const { return Utf8ToUtf16(JsonQuote(ObjectText())); }
};

// A simulated Windows on a fresh folder, the bridge and a recording shell.
class BridgeFixture {
 public:
  BridgeFixture() : platform(root.path()), bridge(platform, host) {}

  std::filesystem::path HostPath(std::string_view windowsPathUnderC) const {
    return root.path() / "C" / std::filesystem::path(std::string(windowsPathUnderC));
  }
  std::vector<std::string> Send(const std::u16string& message) {
    host.effects.clear();
    bridge.WebMessageReceived(&message);
    return host.effects;
  }

  TempFolder root;
  platform::sim::SimPlatform platform;
  RecordingHost host;
  PageBridge bridge;
};

}  // namespace velmoran::test
