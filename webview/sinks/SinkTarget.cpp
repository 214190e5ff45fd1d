#include "webview/sinks/SinkTarget.h"

namespace velmoran::webview {

SinkTarget::SinkTarget() : FAlive(std::make_shared<bool>(true)), FLifeToken(FAlive) {}

SinkTarget::~SinkTarget() { DetachSinks(); }

void SinkTarget::DetachSinks() noexcept { *FAlive = false; }

void SinkTarget::HandleCallbackException(std::u16string_view /*callbackName*/,
                                         std::u16string_view /*description*/) {}

}  // namespace velmoran::webview
