#pragma once

// The loader's exception policy: a step that meets an exception (registry,
// files, libraries, memory) reports plain failure, unless the loader's
// ReRaiseExceptions setting asks for the exception to reach the caller.

#include <utility>

namespace velmoran::webview {

template <typename Result, typename Step>
Result GuardStep(bool reRaiseExceptions, Result onFailure, Step&& step) {
  try {
    return std::forward<Step>(step)();
  } catch (...) {
    if (reRaiseExceptions) throw;
    return onFailure;
  }
}

}  // namespace velmoran::webview
