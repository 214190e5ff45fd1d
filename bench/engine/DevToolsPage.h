#pragma once

// One page of a running browser reached as any outside tool reaches it: the
// DevTools endpoint lists the pages over HTTP, and one WebSocket carries the
// protocol's commands and answers for the chosen page.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "bench/engine/WebSocketClient.h"

namespace velmoran::bench::engine {

class DevToolsPage {
 public:
  // Waits until the browser on `port` lists a page whose address contains
  // `addressPart`, then connects to it; throws when none came in time.
  static std::unique_ptr<DevToolsPage> Attach(std::uint16_t port, std::string_view addressPart,
                                              std::chrono::milliseconds timeout);

  explicit DevToolsPage(std::string_view webSocketUrl);

  // Sends a command; its id, whose answer AnswerTo waits for.
  std::int64_t Send(std::string_view method, std::string_view paramsJson);
  // Runtime.evaluate of `expression`, promises awaited, the value returned by value.
  std::int64_t SendEvaluate(std::string_view expression);

  // The answer to command `id`, whole, valid until the next call. Events and
  // answers to earlier commands are passed over. Cheap enough to stand inside
  // a timed section: the id is read from the answer's first bytes.
  std::string_view AnswerTo(std::int64_t id, std::chrono::milliseconds timeout);

  // The next event `method` (e.g. "Runtime.bindingCalled"), whole, valid
  // until the next call. Answers that come first are kept for AnswerTo; other
  // events are passed over. As cheap as AnswerTo.
  std::string_view NextEvent(std::string_view method, std::chrono::milliseconds timeout);

  // Evaluates `expression` in the page and returns its value as JSON text
  // (a string value as its quoted literal); throws with the page's error.
  std::string Evaluate(std::string_view expression, std::chrono::milliseconds timeout);
  // The same for an expression whose value is a string: the string itself.
  std::string EvaluateString(std::string_view expression, std::chrono::milliseconds timeout);

 private:
  WebSocketClient socket_;
  std::int64_t nextId_ = 1;
  std::map<std::int64_t, std::string> earlyAnswers_;  // answers NextEvent read before their turn
  std::string earlyAnswer_;                           // the one AnswerTo handed out last
};

// `text` (UTF-8) as a JSON string literal.
std::string JsonQuoted(std::string_view text);

// The value of an evaluate answer's result as JSON text; throws when the
// command failed or the expression threw.
std::string EvaluatedValue(std::string_view answer);

}  // namespace velmoran::bench::engine
