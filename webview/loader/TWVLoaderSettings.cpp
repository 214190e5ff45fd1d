#include "webview/loader/TWVLoaderSettings.h"

namespace velmoran::webview {

std::u16string DefaultTargetVersion() { return VersionText(kDefaultTargetVersion); }

std::u16string ExpectedLoaderVersion() { return VersionText(kExpectedLoaderVersion); }

}  // namespace velmoran::webview
