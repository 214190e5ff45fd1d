#include "webview/loader/RuntimeEntryPoints.h"

namespace velmoran::webview {

RuntimeEntryPoints& WebView2EntryPoints() {
  static RuntimeEntryPoints entryPoints;
  return entryPoints;
}

}  // namespace velmoran::webview
