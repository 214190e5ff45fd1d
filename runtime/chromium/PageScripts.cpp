#include "runtime/chromium/PageScripts.h"

#include "runtime/chromium/HostObjectScripts.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

namespace {

constexpr std::string_view kSettingsProperty = "__velmoranSettings";
constexpr std::string_view kDeliverProperty = "__velmoranDeliver";

std::string SettingsObject(const PageSettings& settings) {
  JsonWriter json;
  json.BeginObject()
      .Key("devTools")
      .Bool(settings.areDevToolsEnabled)
      .Key("contextMenus")
      .Bool(settings.areDefaultContextMenusEnabled)
      .Key("zoom")
      .Bool(settings.isZoomControlEnabled)
      .EndObject();
  return json.Take();
}

}  // namespace

std::string PageBootstrapScript(const PageSettings& settings) {
  std::string script;
  script += "(() => {\n";
  script += "const w = window;\n";
  // Frames get no chrome.webview: their messages are not the host's.
  script += "if (w !== w.top || (w.chrome && w.chrome.webview)) return;\n";
  script += "const post = w." + std::string(kPostMessageBinding) + ", hostKey = w." +
            std::string(kHostKeyBinding) + ";\n";
  script += "if (typeof post !== 'function') return;\n";
  script += "try { delete w." + std::string(kPostMessageBinding) + "; delete w." +
            std::string(kHostKeyBinding) + "; } catch (e) {}\n";
  script += "const settings = " + SettingsObject(settings) + ";\n";
  script += "Object.defineProperty(w, '" + std::string(kSettingsProperty) + "', { value: settings });\n";
  script += "const target = new EventTarget();\n";
  script += "const webview = {\n";
  script += "  postMessage(message) {\n";
  script += "    const json = JSON.stringify(message);\n";
  script += "    if (json === undefined) throw new TypeError('The message has no JSON form.');\n";
  script += "    post(json);\n";
  script += "  },\n";
  script +=
      "  addEventListener(type, listener, options) { target.addEventListener(type, listener, options); },\n";
  script +=
      "  removeEventListener(type, listener, options) { target.removeEventListener(type, listener, options); "
      "},\n";
  script += "};\n";
  script += "Object.defineProperty(webview, '" + std::string(kDeliverProperty) +
            "', { value: (data) => { target.dispatchEvent(new MessageEvent('message', { data, source: "
            "webview })); } });\n";
  script += HostObjectsPageScript();
  script += "if (!w.chrome) w.chrome = {};\n";
  script += "Object.defineProperty(w.chrome, 'webview', { value: webview, enumerable: true });\n";
  // Capture phase on the window: the page's own handlers never see these keys first.
  script += "w.addEventListener('keydown', (e) => {\n";
  script += "  const k = e.key, upper = typeof k === 'string' ? k.toUpperCase() : '';\n";
  script +=
      "  if (k === 'F11') { e.preventDefault(); e.stopImmediatePropagation(); if (!e.repeat) hostKey('F11'); "
      "return; }\n";
  script +=
      "  if (!settings.devTools && (k === 'F12' || (e.ctrlKey && e.shiftKey && 'IJC'.includes(upper) && "
      "upper.length === 1))) { e.preventDefault(); e.stopImmediatePropagation(); return; }\n";
  script +=
      "  if (!settings.zoom && e.ctrlKey && ['+', '-', '=', '0'].includes(k)) { e.preventDefault(); }\n";
  script += "}, true);\n";
  script +=
      "w.addEventListener('contextmenu', (e) => { if (!settings.contextMenus) e.preventDefault(); }, "
      "true);\n";
  script +=
      "w.addEventListener('wheel', (e) => { if (!settings.zoom && e.ctrlKey) e.preventDefault(); }, { "
      "capture: true, passive: false });\n";
  script += "})();\n";
  return script;
}

std::string PageSettingsUpdateScript(const PageSettings& settings) {
  return "window." + std::string(kSettingsProperty) + " && Object.assign(window." +
         std::string(kSettingsProperty) + ", " + SettingsObject(settings) + ");";
}

std::string ExecuteScriptExpression(std::u16string_view script) {
  // An indirect eval runs the text as a script of the global scope (its var
  // and function declarations become globals, as for any classic script) and
  // still gives its completion value.
  return "(() => { const r = (0, eval)(" + JsonQuoted(script) +
         "); let s; try { s = JSON.stringify(r); } catch (e) { s = undefined; } "
         "return s === undefined ? 'null' : s; })()";
}

std::string DeliverMessageExpression(std::string_view json) {
  return "(() => { const v = window.chrome && window.chrome.webview; if (v && v." +
         std::string(kDeliverProperty) + ") v." + std::string(kDeliverProperty) + "(" + std::string(json) +
         "); })()";
}

}  // namespace velmoran::runtime::chromium
