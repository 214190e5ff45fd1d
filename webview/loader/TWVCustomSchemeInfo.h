#pragma once

#include <string>

namespace velmoran::webview {

// One custom scheme the page may use, as the loader's OnGetCustomSchemes
// handler describes it.
struct TWVCustomSchemeInfo {
  std::u16string SchemeName;
  bool TreatAsSecure = false;
  std::u16string AllowedDomains;  // origins separated by ","
  bool HasAuthorityComponent = false;
};

}  // namespace velmoran::webview
