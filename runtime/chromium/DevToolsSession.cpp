#include "runtime/chromium/DevToolsSession.h"

#include <utility>

#include "base/Text.h"

namespace velmoran::runtime::chromium {

DevToolsSession::DevToolsSession(Writer writer) : writer_(std::move(writer)) {}

std::int64_t DevToolsSession::Call(std::string_view method, std::string_view paramsJson,
                                   std::u16string_view sessionId, AnswerHandler onAnswer) {
  const std::int64_t id = nextId_++;
  // Kept before writing: an answer can never overtake its own registration.
  if (onAnswer) pending_.emplace(id, std::move(onAnswer));
  const bool written = !closed_ && writer_(BuildCommand(id, method, Utf16ToUtf8(sessionId), paramsJson));
  if (!written) {
    auto handler = pending_.extract(id);
    if (!handler.empty()) {
      const codec::JsonValue empty(codec::JsonKind::Object);
      const std::u16string reason = u"The browser's pipe is closed.";
      handler.mapped()(Answer{empty, &reason});
    }
  }
  return id;
}

void DevToolsSession::Subscribe(std::u16string method, EventHandler handler) {
  subscribers_[std::move(method)].push_back(std::move(handler));
}

void DevToolsSession::Receive(std::string_view utf8) {
  std::optional<DevToolsMessage> message = ParseDevToolsMessage(utf8);
  if (!message) return;
  if (message->kind == DevToolsMessage::Kind::kResponse) {
    auto handler = pending_.extract(message->id);
    if (handler.empty()) return;
    handler.mapped()(Answer{message->body, message->error ? &*message->error : nullptr});
    return;
  }
  auto found = subscribers_.find(message->method);
  if (found == subscribers_.end()) return;
  // Copied: a handler may subscribe further handlers while it runs.
  const std::vector<EventHandler> handlers = found->second;
  for (const EventHandler& handler : handlers) handler(*message);
}

void DevToolsSession::Close(const std::u16string& reason) {
  closed_ = true;
  std::map<std::int64_t, AnswerHandler> pending = std::move(pending_);
  pending_.clear();
  const codec::JsonValue empty(codec::JsonKind::Object);
  for (auto& [id, handler] : pending) handler(Answer{empty, &reason});
}

}  // namespace velmoran::runtime::chromium
