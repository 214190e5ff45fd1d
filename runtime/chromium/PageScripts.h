#pragma once

// The JavaScript the runtime runs in the page. Every text a host or page
// supplies enters these scripts as a JSON string literal (or as JSON checked
// beforehand), never as source of its own.

#include <string>
#include <string_view>

namespace velmoran::runtime::chromium {

// The functions Chromium exposes to the page for it to call the runtime
// (Runtime.addBinding); the bootstrap script takes them away from the page's
// global object and keeps them private.
inline constexpr char kPostMessageBinding[] = "__velmoranPostMessage";
inline constexpr char kHostKeyBinding[] = "__velmoranHostKey";

// What the page's own handlers are allowed; the rest is held back in the
// page, because Chromium offers no switch for it.
struct PageSettings {
  bool areDevToolsEnabled = true;
  bool areDefaultContextMenusEnabled = true;
  bool isZoomControlEnabled = true;
};

// Added to every new document (and run once in the current one): gives the
// top-level document `window.chrome.webview` (postMessage, and "message"
// listeners for what the host posts), keeps F11 away from Chromium's own full
// screen and hands it to the host, and applies `settings`.
std::string PageBootstrapScript(const PageSettings& settings);

// Applies changed settings to the document already loaded.
std::string PageSettingsUpdateScript(const PageSettings& settings);

// Runs `script` as a classic script of the page's global scope and gives
// the JSON text of its completion value: "null" for undefined and for a
// value JSON cannot express.
std::string ExecuteScriptExpression(std::u16string_view script);

// Raises a "message" event at the page's `chrome.webview` whose data is the
// value of `json`, which must already be known to be valid JSON.
std::string DeliverMessageExpression(std::string_view json);

}  // namespace velmoran::runtime::chromium
