#include "runtime/chromium/win32/ChromiumSettings.h"

#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

HRESULT ChromiumSettings::put_IsScriptEnabled(BOOL value) {
  scripts_ = value != FALSE;
  JsonWriter params;
  params.BeginObject().Key("value").Bool(!scripts_).EndObject();
  browser_->CallPage("Emulation.setScriptExecutionDisabled", params.Text());
  return S_OK;
}

HRESULT ChromiumSettings::PutPage(bool& setting, BOOL value) {
  const bool changed = setting != (value != FALSE);
  setting = value != FALSE;
  if (changed) browser_->ApplyPageSettings(page_);
  return S_OK;
}

}  // namespace velmoran::runtime::chromium
