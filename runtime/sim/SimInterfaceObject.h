#pragma once

// The common part of the simulated runtime's objects that implement one chain
// of interface versions (the generated SimControllerBase, SimWebViewBase,
// SimProfileBase, SimSettings, ...): counted in the runtime context, events
// kept under tokens, stored properties, and QueryInterface limited to the
// versions the test offers. The methods of each interface are generated from
// the runtime's tables (tools/abigen); behaviours come from hand-written
// classes deriving from them.

#include <initializer_list>
#include <memory>
#include <utility>

#include "runtime/sim/SimEventHandlers.h"
#include "runtime/sim/SimPropertyValues.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimVersionLimit.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

template <typename LatestInterface>
class SimInterfaceObject : public webview::ComObject<LatestInterface>, protected SimCountedObject {
 public:
  SimInterfaceObject(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        events_(Context()),
        values_(Context()),
        versions_(std::move(versions)) {}

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

 protected:
  // QueryInterface for an object whose interface versions are `versions`,
  // version 1 first: a version the test does not offer is refused.
  HRESULT QueryOfferedVersion(REFIID riid, void** object, std::initializer_list<const IID*> versions) {
    if (object != nullptr && versions_.Refuses(riid, versions)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return webview::ComObject<LatestInterface>::QueryInterface(riid, object);
  }

  SimEventHandlers events_;
  SimPropertyValues values_;

 private:
  SimVersionLimit versions_;
};

}  // namespace velmoran::runtime::sim
