#include "runtime/double/RuntimeScenario.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

#include "base/Text.h"

namespace velmoran::runtime::doubles {
namespace {

constexpr std::string_view kUnreadable = "!unreadable";
constexpr std::string_view kInvalidPointer = "!invalid-pointer";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

struct NamedResult {
  std::string_view name;
  HRESULT result;
};

constexpr std::array<NamedResult, 10> kNamedResults = {{
    {"S_OK", S_OK},
    {"E_FAIL", E_FAIL},
    {"E_ABORT", E_ABORT},
    {"E_ACCESSDENIED", E_ACCESSDENIED},
    {"E_INVALIDARG", E_INVALIDARG},
    {"E_NOINTERFACE", E_NOINTERFACE},
    {"E_NOTIMPL", E_NOTIMPL},
    {"E_OUTOFMEMORY", E_OUTOFMEMORY},
    {"E_POINTER", E_POINTER},
    {"E_UNEXPECTED", E_UNEXPECTED},
}};

// In the order of their values, 0 first.
constexpr std::array<std::string_view, 19> kWebErrorStatusNames = {
    "UNKNOWN",
    "CERTIFICATE_COMMON_NAME_IS_INCORRECT",
    "CERTIFICATE_EXPIRED",
    "CLIENT_CERTIFICATE_CONTAINS_ERRORS",
    "CERTIFICATE_REVOKED",
    "CERTIFICATE_IS_INVALID",
    "SERVER_UNREACHABLE",
    "TIMEOUT",
    "ERROR_HTTP_INVALID_SERVER_RESPONSE",
    "CONNECTION_ABORTED",
    "CONNECTION_RESET",
    "DISCONNECTED",
    "CANNOT_CONNECT",
    "HOST_NAME_NOT_RESOLVED",
    "OPERATION_CANCELED",
    "REDIRECT_FAILED",
    "UNEXPECTED_ERROR",
    "VALID_AUTHENTICATION_CREDENTIALS_REQUIRED",
    "VALID_PROXY_AUTHENTICATION_REQUIRED",
};
constexpr std::string_view kWebErrorStatusPrefix = "COREWEBVIEW2_WEB_ERROR_STATUS_";

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (std::size_t at = line.find_first_not_of(kBlanks); at != std::string_view::npos;
       at = line.find_first_not_of(kBlanks, at)) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// The whole word as a number in `base`, nothing left over.
template <typename Number>
bool ParseWhole(std::string_view word, Number& value, int base = 10) {
  if (word.empty()) return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  return error == std::errc() && end == word.data() + word.size();
}

std::optional<HRESULT> ParseResult(std::string_view word) {
  for (const NamedResult& named : kNamedResults) {
    if (word == named.name) return named.result;
  }
  std::uint32_t pattern = 0;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    const std::string_view digits = word.substr(2);
    if (digits.size() > 8 || !ParseWhole(digits, pattern, 16)) return std::nullopt;
    return static_cast<HRESULT>(pattern);
  }
  std::int64_t value = 0;
  if (!ParseWhole(word, value) || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
  return static_cast<HRESULT>(static_cast<std::uint32_t>(value));
}

std::optional<COREWEBVIEW2_WEB_ERROR_STATUS> ParseWebErrorStatus(std::string_view word) {
  std::int32_t number = 0;
  if (ParseWhole(word, number)) {
    if (number < 0) return std::nullopt;
    return static_cast<COREWEBVIEW2_WEB_ERROR_STATUS>(number);
  }
  if (word.starts_with(kWebErrorStatusPrefix)) word.remove_prefix(kWebErrorStatusPrefix.size());
  for (std::size_t i = 0; i < kWebErrorStatusNames.size(); ++i) {
    if (word == kWebErrorStatusNames[i]) return static_cast<COREWEBVIEW2_WEB_ERROR_STATUS>(i);
  }
  return std::nullopt;
}

class Parser {
 public:
  RuntimeScenario Parse(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    while (!text.empty()) {
      const std::size_t end = std::min(text.find('\n'), text.size());
      std::string_view line = text.substr(0, end);
      text.remove_prefix(std::min(end + 1, text.size()));
      if (line.ends_with('\r')) line.remove_suffix(1);
      ++lineNumber_;
      ParseLine(line);
    }
    return std::move(scenario_);
  }

 private:
  void ParseLine(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0].starts_with('#')) return;
    const std::string_view keyword = words[0];
    if (keyword == "fail") {
      Fail(words);
    } else if (keyword == "complete") {
      Complete(words);
    } else if (keyword == "navigation") {
      Navigation(words);
    } else if (keyword == "wait") {
      Wait(words);
    } else if (keyword == "messages" && words.size() >= 2) {
      Messages(line);
    } else if (keyword == "resources") {
      Resources(words);
    } else if (keyword == "crash") {
      Crash(words);
    } else {
      Message(line);
    }
  }

  void Fail(const std::vector<std::string_view>& words) {
    if (words.size() != 3) return Error("fail needs a method name and an HRESULT");
    const std::optional<HRESULT> result = ParseResult(words[2]);
    if (!result) return Error("not an HRESULT: " + std::string(words[2]));
    scenario_.callFailures.push_back({std::string(words[1]), *result});
  }

  void Complete(const std::vector<std::string_view>& words) {
    if (words.size() != 3) return Error("complete needs environment, controller or script and an HRESULT");
    const std::optional<HRESULT> result = ParseResult(words[2]);
    if (!result) return Error("not an HRESULT: " + std::string(words[2]));
    if (words[1] == "environment") {
      scenario_.environmentCompletion = result;
    } else if (words[1] == "controller") {
      scenario_.controllerCompletion = result;
    } else if (words[1] == "script") {
      scenario_.scriptCompletion = result;
    } else {
      Error("complete knows environment, controller and script, not " + std::string(words[1]));
    }
  }

  void Navigation(const std::vector<std::string_view>& words) {
    if (words.size() != 4 || words[2] != "fails") return Error("write navigation <N> fails <status>");
    std::uint64_t number = 0;
    if (!ParseWhole(words[1], number) || number == 0) {
      return Error("not a navigation number (1 is the first): " + std::string(words[1]));
    }
    const std::optional<COREWEBVIEW2_WEB_ERROR_STATUS> status = ParseWebErrorStatus(words[3]);
    if (!status) return Error("not a web error status: " + std::string(words[3]));
    scenario_.failingNavigations[number] = *status;
  }

  void Wait(const std::vector<std::string_view>& words) {
    std::uint32_t milliseconds = 0;
    if (words.size() != 2 || !ParseWhole(words[1], milliseconds)) {
      return Error("wait needs a number of milliseconds");
    }
    pendingDelay_ += milliseconds;
  }

  void Messages(std::string_view line) {
    // The path is the rest of the line, blanks inside it included.
    std::string_view path = line.substr(line.find("messages") + 8);
    path.remove_prefix(std::min(path.find_first_not_of(kBlanks), path.size()));
    path.remove_suffix(path.size() - (path.find_last_not_of(kBlanks) + 1));
    ScenarioMessage message;
    message.delayMilliseconds = pendingDelay_;
    pendingDelay_ = 0;
    message.file = WindowsPathOf(Utf8ToUtf16(path));
    scenario_.messages.push_back(std::move(message));
  }

  void Resources(const std::vector<std::string_view>& words) {
    std::uint64_t every = 0;
    if (words.size() != 3 || words[1] != "every" || !ParseWhole(words[2], every) || every == 0) {
      return Error("write resources every <N>, N at least 1");
    }
    scenario_.resourcesEvery = every;
  }

  void Crash(const std::vector<std::string_view>& words) {
    if (words.size() != 3 || (words[1] != "browser" && words[1] != "renderer"))
      return Error("write crash browser <exit code> or crash renderer <exit code>");
    const std::optional<HRESULT> exitCode = ParseResult(words[2]);
    if (!exitCode) return Error("not an exit code: " + std::string(words[2]));
    ScenarioMessage crash;
    crash.delayMilliseconds = pendingDelay_;
    pendingDelay_ = 0;
    crash.crash = ScenarioCrash{words[1] == "browser", static_cast<std::int32_t>(*exitCode)};
    scenario_.messages.push_back(std::move(crash));
  }

  void Message(std::string_view line) {
    ScenarioMessage message;
    message.delayMilliseconds = pendingDelay_;
    pendingDelay_ = 0;
    if (line == kInvalidPointer) {
      message.textPointsNowhere = true;
    } else if (line != kUnreadable) {
      message.json = Utf8ToUtf16(line);
    }
    scenario_.messages.push_back(std::move(message));
  }

  void Error(std::string reason) { scenario_.errors.push_back({lineNumber_, std::move(reason)}); }

  RuntimeScenario scenario_;
  std::size_t lineNumber_ = 0;
  std::uint32_t pendingDelay_ = 0;
};

}  // namespace

RuntimeScenario ParseRuntimeScenario(std::string_view utf8) { return Parser().Parse(utf8); }

std::u16string WindowsPathOf(std::u16string path) {
  if (!path.starts_with(u'/')) return path;
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return u"Z:" + path;
}

}  // namespace velmoran::runtime::doubles
