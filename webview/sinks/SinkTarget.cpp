#include "webview/sinks/SinkTarget.h"

namespace velmoran::webview {

SinkTarget::SinkTarget() : alive_(std::make_shared<bool>(true)), lifeToken_(alive_) {}

SinkTarget::~SinkTarget() { DetachSinks(); }

void SinkTarget::DetachSinks() noexcept { *alive_ = false; }

void SinkTarget::HandleCallbackException(std::u16string_view /*callbackName*/,
                                         std::u16string_view /*description*/) {}

}  // namespace velmoran::webview
