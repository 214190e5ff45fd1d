#pragma once

// The zoom presets the control steps through with IncZoomStep and
// DecZoomStep, from 25 % to 500 %, the usual browser ladder.

#include <cstdint>

namespace velmoran::webview {

inline constexpr double kZoomSteps[] = {0.25, 0.33, 0.50, 0.67, 0.75, 0.80, 0.90, 1.00, 1.10,
                                        1.25, 1.50, 1.75, 2.00, 2.50, 3.00, 4.00, 5.00};
inline constexpr std::int32_t kZoomStepCount = sizeof(kZoomSteps) / sizeof(kZoomSteps[0]);
inline constexpr std::int32_t kDefaultZoomStep = 7;  // 100 %

// The index of the preset nearest to `zoomFactor` (the lower one on a tie).
std::int32_t NearestZoomStep(double zoomFactor);

}  // namespace velmoran::webview
