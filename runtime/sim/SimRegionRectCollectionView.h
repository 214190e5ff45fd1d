#pragma once

// The rectangles of one kind of the page's non-client region, as the
// simulated composition controller answers QueryNonClientRegion.

#include <memory>
#include <utility>
#include <vector>

#include "runtime/sim/SimRegionRectCollectionViewBase.h"

namespace velmoran::runtime::sim {

class SimRegionRectCollectionView final : public SimRegionRectCollectionViewBase {
 public:
  SimRegionRectCollectionView(std::shared_ptr<SimRuntimeContext> context, std::vector<RECT> rects)
      : SimRegionRectCollectionViewBase(std::move(context), SimVersionLimit{1, {}}),
        rects_(std::move(rects)) {
    values_.Write<UINT32>("Count", static_cast<UINT32>(rects_.size()));
  }

  HRESULT WV2_STDCALL GetValueAtIndex(UINT32 index, RECT* value) override {
    if (value == nullptr) return E_POINTER;
    if (index >= rects_.size()) return E_INVALIDARG;
    *value = rects_[index];
    return S_OK;
  }

 private:
  std::vector<RECT> rects_;
};

}  // namespace velmoran::runtime::sim
