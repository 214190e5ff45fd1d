#pragma once

// A host window whose next handle creation can be made to fail, as a system
// out of window handles would.

#include <stdexcept>

#include "webview/browser/TWVWindowParent.h"

namespace velmoran::test {

class FailingWindowParent final : public webview::TWVWindowParent {
 public:
  using webview::TWVWindowParent::CreateHandle;
  using webview::TWVWindowParent::TWVWindowParent;

  bool failNextCreation = false;

 protected:
  void CreateHandle() override {
    if (failNextCreation) {
      failNextCreation = false;
      throw std::runtime_error("no window");
    }
    TWVWindowParent::CreateHandle();
  }
};

}  // namespace velmoran::test
