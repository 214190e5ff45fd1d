#pragma once

// A sink's non-owning link to its target face: the pointer, plus the target's
// life token, so the link reads as empty once the target has gone away.

#include <memory>

namespace velmoran::webview {

template <typename Face>
class SinkLink {
 public:
  SinkLink() = default;
  explicit SinkLink(Face* face) : FFace(face) {
    if (face != nullptr) FLifeToken = face->LifeToken();
  }

  // Whether the sink was made with a target at all, alive or not.
  bool IsSet() const noexcept { return FFace != nullptr; }
  // The target while it takes callbacks, else null.
  Face* Target() const noexcept { return (FFace != nullptr && FLifeToken && *FLifeToken) ? FFace : nullptr; }

 private:
  Face* FFace = nullptr;
  std::shared_ptr<const bool> FLifeToken;
};

}  // namespace velmoran::webview
