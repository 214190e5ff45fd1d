#pragma once

// The shell's side of the page conversation: decodes each web message,
// hands capture messages to the capture store, answers with reply scripts,
// switches full screen on the AppExit message, and logs every step. It needs
// no browser: the main window delegates its two browser handlers here.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "bridge/CaptureStore.h"
#include "platform/Platform.h"

namespace velmoran::bridge {

// What the bridge needs of the shell.
class PageBridgeHost {
 public:
  virtual ~PageBridgeHost() = default;
  virtual void logw(std::u16string_view text) = 0;  // the activity log
  // logw with the text that `parts` make together. A log that can write the
  // parts as they are saves a copy of a line that carries a whole message;
  // by default they are joined.
  virtual void logwParts(std::span<const std::u16string_view> parts);
  virtual void ExecuteScript(
      std::u16string_view script) = 0;  // the browser's ExecuteScript(script, 0); result ignored
  virtual void ToggleFullScreen() = 0;
};

class PageBridge {
 public:
  PageBridge(platform::Platform& platform, PageBridgeHost& host);

  // Whether a web message may be handled at all: only a document of the
  // start page's origin (the scheme, host and port of `pageURL`) may store
  // captures, switch full screen or hear a reply. `source` is the address of
  // the document that posted it, nullptr when the browser could not give it.
  // A refused message leaves one log line and nothing else. Never throws.
  bool AcceptsSource(const std::u16string_view* source, std::u16string_view pageURL) noexcept;

  // The handler of a web message: `messageJson` is the message's JSON text,
  // or nullptr when the browser could not give it. Never throws.
  void WebMessageReceived(const std::u16string* messageJson) noexcept;
  // The same for a text read where the browser handed it over: a capture's
  // megabytes are decoded in place, not copied once more first.
  void WebMessageReceived(std::u16string_view messageJson) noexcept;
  // The handler of a reply's completion: logs a failed run. Never throws.
  void ExecuteScriptCompleted(std::int32_t errorCode, std::u16string_view resultObjectAsJson,
                              std::int32_t executionId) noexcept;

  // Decodes one message text and, for a capture message, stores it. Every
  // error is logged here ("Exception JSON parsing: " + text) and gives false.
  // `callMode` is written as soon as it is read and stays when a later step
  // fails; `image` is emptied and `index` set to -1 first.
  bool ParsePageMessage(std::u16string_view text, std::u16string& callMode, std::u16string& image,
                        std::int32_t& index);

  const std::u16string& CurrentSaveDir() const { return store_.CurrentSaveDir(); }

 private:
  // ParsePageMessage with the image output optional: the handler has no use
  // for it, and without it a capture's megabytes of image text are never
  // copied (the capture store decodes them where the decode left them).
  bool ParseMessage(std::u16string_view text, std::u16string& callMode, std::u16string* image,
                    std::int32_t& index);
  bool DecodeMessage(std::u16string_view text, std::u16string& callMode, std::u16string* image,
                     std::int32_t& index);
  void AnswerIndex(std::int32_t index);
  void CheckFourImages(std::u16string_view text);
  bool IsRegularFile(std::u16string_view path);
  // The image at `path` is there and its latest save of this run, if any, did not fail.
  bool IsStoredImage(std::u16string_view path);
  void HandleMessage(const std::u16string_view* messageJson) noexcept;

  platform::Platform& platform_;
  PageBridgeHost& host_;
  CaptureStore store_;
};

}  // namespace velmoran::bridge
