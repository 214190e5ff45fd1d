#pragma once

// The protocol session over one pipe: numbers each command, remembers what
// to do with its answer, and hands every event to the subscribers of its
// method. Runs on the user-interface thread only: the reader thread posts the
// raw texts there, so answers and events come in the pipe's order.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/chromium/DevToolsMessage.h"

namespace velmoran::runtime::chromium {

class DevToolsSession {
 public:
  // What a command's answer brings: its result object, or the failure's message.
  struct Answer {
    const codec::JsonValue& result;
    const std::u16string* error;  // null when the command succeeded
    bool Succeeded() const { return error == nullptr; }
  };
  using AnswerHandler = std::function<void(const Answer&)>;
  // A handler may take what it keeps out of the event (a page message's
  // megabytes are moved, not copied); the handlers after it see what is left.
  using EventHandler = std::function<void(DevToolsMessage&)>;
  // Writes one message's text to the pipe; false when the pipe is gone.
  using Writer = std::function<bool(std::string)>;

  explicit DevToolsSession(Writer writer);

  // Sends a command; `onAnswer` (may be empty) runs once when its answer
  // comes, or with an error when the pipe closes first. Returns the id.
  std::int64_t Call(std::string_view method, std::string_view paramsJson = {},
                    std::u16string_view sessionId = {}, AnswerHandler onAnswer = {});

  // Every later event named `method` reaches `handler`, whatever its session.
  void Subscribe(std::u16string method, EventHandler handler);

  // One text from the pipe. Texts that are not protocol messages, and
  // answers to no outstanding command, are dropped.
  void Receive(std::string_view utf8);

  // The pipe closed: every outstanding command is answered with `reason`.
  void Close(const std::u16string& reason);

  std::size_t OutstandingCommands() const { return pending_.size(); }

 private:
  Writer writer_;
  std::int64_t nextId_ = 1;
  bool closed_ = false;
  std::map<std::int64_t, AnswerHandler> pending_;
  std::map<std::u16string, std::vector<EventHandler>, std::less<>> subscribers_;
};

}  // namespace velmoran::runtime::chromium
