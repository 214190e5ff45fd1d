#pragma once

// The browser command-line switches built from the loader's settings; the
// loader hands the text to the runtime as the environment options'
// additional browser arguments.

#include <string>

#include "webview/loader/TWVLoaderSettings.h"

namespace velmoran::webview {

// Built afresh from `settings` on every call. Values go in exactly as stored
// (no quoting, no escaping); with every setting at its default the text is
// "--disable-features=msEdgeRose".
std::u16string CustomCommandLineSwitches(const TWVLoaderSettings& settings);

// A single-precision value as the scale factor switch writes it: the shortest
// general form with up to 15 significant digits of the value, "." as the
// decimal separator whatever the user's locale (1.5 gives "1.5", 1.1 gives
// "1.10000002384186").
std::u16string ScaleFactorText(float value);

}  // namespace velmoran::webview
