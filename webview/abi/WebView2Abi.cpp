// Compiles the whole set of declarations in every build, the Windows cross
// build included, where the static_asserts on layouts and stack sizes run
// against the system's own types.
#include "webview/abi/WebView2Abi.h"

// The tests run natively only: instantiating the COM helpers here makes the
// cross build check them against the system's IUnknown and __stdcall as well.
template class velmoran::webview::ComPtr<ICoreWebView2Controller>;
template class velmoran::webview::BasicComObject<ULONG, ICoreWebView2ExecuteScriptCompletedHandler,
                                                 ICoreWebView2EnvironmentOptions,
                                                 ICoreWebView2EnvironmentOptions2>;
