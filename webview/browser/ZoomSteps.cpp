#include "webview/browser/ZoomSteps.h"

#include <cmath>

namespace velmoran::webview {

std::int32_t NearestZoomStep(double zoomFactor) {
  std::int32_t nearest = 0;
  for (std::int32_t step = 1; step < kZoomStepCount; ++step) {
    if (std::fabs(kZoomSteps[step] - zoomFactor) < std::fabs(kZoomSteps[nearest] - zoomFactor))
      nearest = step;
  }
  return nearest;
}

}  // namespace velmoran::webview
