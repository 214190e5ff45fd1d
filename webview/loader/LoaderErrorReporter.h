#pragma once

#include <string_view>

namespace velmoran::webview {

// The loader's three ways of telling of a failed check; the loader implements
// them (status, error log, error dialog) and the runtime checks call them.
class LoaderErrorReporter {
 public:
  // Sets the loader's status to wvlsError.
  virtual void SetErrorStatus() = 0;
  // Appends one line to the loader's error log.
  virtual void AppendErrorLog(std::u16string_view line) = 0;
  // Shows the whole error log in a message box, when the loader's settings allow it.
  virtual void ShowErrorDialog() = 0;

 protected:
  ~LoaderErrorReporter() = default;
};

}  // namespace velmoran::webview
