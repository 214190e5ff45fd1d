#include "bench/engine/DevToolsPage.h"

#include <simdjson.h>

#include <charconv>
#include <stdexcept>
#include <thread>

namespace velmoran::bench::engine {

namespace {

using Clock = std::chrono::steady_clock;

std::runtime_error Failure(const std::string& what) { return std::runtime_error("devtools: " + what); }

// A command's answer starts with its id ({"id":N,...}), as Chromium writes
// it; events start with their method. -1 for anything else.
std::int64_t LeadingId(std::string_view message) {
  constexpr std::string_view kPrefix = "{\"id\":";
  if (message.substr(0, kPrefix.size()) != kPrefix) return -1;
  std::int64_t id = -1;
  const char* digits = message.data() + kPrefix.size();
  if (std::from_chars(digits, message.data() + message.size(), id).ec != std::errc()) return -1;
  return id;
}

std::chrono::milliseconds Left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

simdjson::dom::element ParseAnswer(simdjson::dom::parser& parser, std::string_view answer) {
  simdjson::dom::element document;
  if (parser.parse(answer.data(), answer.size()).get(document) != simdjson::SUCCESS)
    throw Failure("an answer that is not JSON: " + std::string(answer.substr(0, 200)));
  return document;
}

}  // namespace

std::string JsonQuoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::unique_ptr<DevToolsPage> DevToolsPage::Attach(std::uint16_t port, std::string_view addressPart,
                                                   std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  std::string seen = "nothing";
  while (Clock::now() < deadline) {
    try {
      const std::string list = HttpGet(port, "/json/list", std::chrono::seconds(2));
      simdjson::dom::parser parser;
      simdjson::dom::array targets;
      if (parser.parse(list).get(targets) == simdjson::SUCCESS) {
        seen.clear();
        for (simdjson::dom::element target : targets) {
          std::string_view type, url, socketUrl;
          if (target["type"].get(type) || target["url"].get(url)) continue;
          seen += std::string(url) + " ";
          if (type != "page" || url.find(addressPart) == std::string_view::npos) continue;
          if (target["webSocketDebuggerUrl"].get(socketUrl)) continue;
          return std::make_unique<DevToolsPage>(socketUrl);
        }
      }
    } catch (const std::runtime_error&) {
      // Nothing answers yet: the browser is still starting.
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  throw Failure("no page at " + std::string(addressPart) + " on port " + std::to_string(port) +
                " (pages: " + seen + ")");
}

DevToolsPage::DevToolsPage(std::string_view webSocketUrl) : socket_(webSocketUrl, std::chrono::seconds(10)) {}

std::int64_t DevToolsPage::Send(std::string_view method, std::string_view paramsJson) {
  const std::int64_t id = nextId_++;
  std::string command = "{\"id\":" + std::to_string(id) + ",\"method\":" + JsonQuoted(method);
  if (!paramsJson.empty()) {
    command += ",\"params\":";
    command += paramsJson;
  }
  command += '}';
  socket_.SendText(command);
  return id;
}

std::int64_t DevToolsPage::SendEvaluate(std::string_view expression) {
  return Send("Runtime.evaluate",
              "{\"expression\":" + JsonQuoted(expression) + ",\"awaitPromise\":true,\"returnByValue\":true}");
}

std::string_view DevToolsPage::AnswerTo(std::int64_t id, std::chrono::milliseconds timeout) {
  if (auto early = earlyAnswers_.find(id); early != earlyAnswers_.end()) {
    earlyAnswer_ = std::move(early->second);
    earlyAnswers_.erase(early);
    return earlyAnswer_;
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    const std::string_view message = socket_.Receive(Left(deadline));
    if (LeadingId(message) == id) return message;
  }
}

std::string_view DevToolsPage::NextEvent(std::string_view method, std::chrono::milliseconds timeout) {
  const std::string prefix = "{\"method\":" + JsonQuoted(method);
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    const std::string_view message = socket_.Receive(Left(deadline));
    if (message.substr(0, prefix.size()) == prefix) return message;
    if (const std::int64_t id = LeadingId(message); id >= 0) earlyAnswers_.emplace(id, message);
  }
}

std::string EvaluatedValue(std::string_view answer) {
  simdjson::dom::parser parser;
  const simdjson::dom::element document = ParseAnswer(parser, answer);
  std::string_view text;
  if (document["error"]["message"].get(text) == simdjson::SUCCESS) throw Failure(std::string(text));
  simdjson::dom::element details;
  if (document["result"]["exceptionDetails"].get(details) == simdjson::SUCCESS) {
    if (details["exception"]["description"].get(text) == simdjson::SUCCESS ||
        details["text"].get(text) == simdjson::SUCCESS)
      throw Failure("the page threw: " + std::string(text));
    throw Failure("the page threw");
  }
  simdjson::dom::element value;
  if (document["result"]["result"]["value"].get(value) != simdjson::SUCCESS) return "undefined";
  return simdjson::minify(value);
}

std::string DevToolsPage::Evaluate(std::string_view expression, std::chrono::milliseconds timeout) {
  return EvaluatedValue(AnswerTo(SendEvaluate(expression), timeout));
}

std::string DevToolsPage::EvaluateString(std::string_view expression, std::chrono::milliseconds timeout) {
  const std::string json = Evaluate(expression, timeout);
  simdjson::dom::parser parser;
  std::string_view text;
  if (parser.parse(json).get(text) != simdjson::SUCCESS)
    throw Failure("not a string: " + json.substr(0, 200) + " from " + std::string(expression.substr(0, 80)));
  return std::string(text);
}

}  // namespace velmoran::bench::engine
