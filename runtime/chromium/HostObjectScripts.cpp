#include "runtime/chromium/HostObjectScripts.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "base/Text.h"
#include "codec/Json.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

namespace {

constexpr std::string_view kSettleProperty = "__velmoranHostSettle";

std::optional<webview::AutomationValue> ArgumentValue(const codec::JsonValue& value) {
  switch (value.kind()) {
    case codec::JsonKind::Null:
      return webview::AutomationValue(nullptr);
    case codec::JsonKind::True:
      return webview::AutomationValue(true);
    case codec::JsonKind::False:
      return webview::AutomationValue(false);
    case codec::JsonKind::String:
      return webview::AutomationValue(std::u16string(value.view()));
    case codec::JsonKind::Number: {
      const std::string text = Utf16ToUtf8(value.view());
      double number = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
      if (std::trunc(number) == number && std::fabs(number) <= 2147483647.0)
        return webview::AutomationValue(static_cast<std::int32_t>(number));
      return webview::AutomationValue(number);
    }
    default:
      return std::nullopt;
  }
}

void WriteValue(JsonWriter& json, const webview::AutomationValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) {
    json.Bool(*flag);
  } else if (const std::int32_t* whole = std::get_if<std::int32_t>(&value)) {
    json.Number(*whole);
  } else if (const double* number = std::get_if<double>(&value)) {
    // JSON has no form for NaN or the infinities; the page gets null, as JSON.stringify gives it.
    if (!std::isfinite(*number)) {
      json.Null();
      return;
    }
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, *number);
    if (error != std::errc()) {
      json.Null();
      return;
    }
    json.Raw(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  } else if (const std::u16string* text = std::get_if<std::u16string>(&value)) {
    json.String(*text);
  } else {
    json.Null();
  }
}

}  // namespace

std::string HostObjectsPageScript() {
  const std::string binding(kHostObjectBinding);
  std::string script;
  script += "const hostCall = w." + binding + ";\n";
  script += "try { delete w." + binding + "; } catch (e) {}\n";
  script += "if (typeof hostCall === 'function') {\n";
  script += "  const pending = new Map();\n";
  script += "  let nextCall = 1;\n";
  // `then` stays undefined, so a proxy handed to await or Promise.resolve is no thenable.
  script += "  const skip = (key) => typeof key !== 'string' || key === 'then';\n";
  script += "  const objectProxy = (name) => new Proxy({}, { get(_, method) {\n";
  script += "    if (skip(method)) return undefined;\n";
  script += "    return (...args) => new Promise((resolve, reject) => {\n";
  script += "      const id = nextCall++;\n";
  script += "      pending.set(id, { resolve, reject });\n";
  script += "      try { hostCall(JSON.stringify({ id, name, method, args })); }\n";
  script += "      catch (e) { pending.delete(id); reject(e); }\n";
  script += "    });\n";
  script += "  } });\n";
  script +=
      "  const refuse = () => { const e = new Error('Synchronous host object calls are not supported.'); "
      "e.hresult = 0x80004001 | 0; throw e; };\n";
  script +=
      "  const syncObject = new Proxy({}, { get(_, method) { return skip(method) ? undefined : refuse; } "
      "});\n";
  script +=
      "  const sync = new Proxy({}, { get(_, name) { return skip(name) ? undefined : syncObject; } });\n";
  script += "  const hostObjects = new Proxy({}, { get(_, name) {\n";
  script += "    if (skip(name)) return undefined;\n";
  script += "    return name === 'sync' ? sync : objectProxy(name);\n";
  script += "  } });\n";
  script += "  Object.defineProperty(webview, 'hostObjects', { value: hostObjects, enumerable: true });\n";
  script += "  Object.defineProperty(webview, '" + std::string(kSettleProperty) +
            "', { value: (id, ok, value, code) => {\n";
  script += "    const call = pending.get(id);\n";
  script += "    if (!call) return;\n";
  script += "    pending.delete(id);\n";
  script += "    if (ok) { call.resolve(value); return; }\n";
  script += "    const e = new Error(value);\n";
  script += "    e.hresult = code;\n";
  script += "    call.reject(e);\n";
  script += "  } });\n";
  script += "}\n";
  return script;
}

std::optional<HostObjectRequest> ParseHostObjectRequest(std::u16string_view payload, std::string& why) {
  const std::optional<codec::JsonValue> parsed = codec::ParseJson(payload);
  if (!parsed || !parsed->IsObject()) {
    why = "the call is not a JSON object";
    return std::nullopt;
  }
  const codec::JsonValue* id = parsed->Find(u"id");
  const codec::JsonValue* name = parsed->Find(u"name");
  const codec::JsonValue* method = parsed->Find(u"method");
  const codec::JsonValue* args = parsed->Find(u"args");
  if (id == nullptr || !id->IsNumber() || name == nullptr || !name->IsString() || method == nullptr ||
      !method->IsString() || (args != nullptr && !args->IsArray())) {
    why = "the call lacks its id, name, method or arguments";
    return std::nullopt;
  }
  HostObjectRequest request;
  const std::optional<webview::AutomationValue> idValue = ArgumentValue(*id);
  const std::int32_t* wholeId = idValue ? std::get_if<std::int32_t>(&*idValue) : nullptr;
  if (wholeId == nullptr) {
    why = "the call's id is not a whole number";
    return std::nullopt;
  }
  request.id = *wholeId;
  request.name = std::u16string(name->view());
  request.method = std::u16string(method->view());
  if (args != nullptr) {
    for (const codec::JsonValue& item : args->items()) {
      std::optional<webview::AutomationValue> value = ArgumentValue(item);
      if (!value) {
        request.refusal = u"Argument " + Utf8ToUtf16(std::to_string(request.arguments.size() + 1)) +
                          u" is an object or an array, which a host object cannot take.";
        request.arguments.clear();
        return request;
      }
      request.arguments.push_back(std::move(*value));
    }
  }
  return request;
}

std::string HostObjectAnswerExpression(std::int64_t id, const webview::DispatchCallResult& result) {
  JsonWriter value;
  const bool ok = SUCCEEDED(result.code);
  if (ok) {
    WriteValue(value, result.value);
  } else {
    value.String(result.message);
  }
  return "(() => { const v = window.chrome && window.chrome.webview; if (v && v." +
         std::string(kSettleProperty) + ") v." + std::string(kSettleProperty) + "(" + std::to_string(id) +
         ", " + (ok ? "true" : "false") + ", " + value.Text() + ", " +
         std::to_string(static_cast<std::int32_t>(result.code)) + "); })()";
}

}  // namespace velmoran::runtime::chromium
