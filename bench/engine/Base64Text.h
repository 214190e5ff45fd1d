#pragma once

// Standard base64 with padding, for the data URL of the benchmark's image and
// the WebSocket handshake's key.

#include <string>
#include <string_view>

namespace velmoran::bench::engine {

std::string Base64Encode(std::string_view bytes);

}  // namespace velmoran::bench::engine
