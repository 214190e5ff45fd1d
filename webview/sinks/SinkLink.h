#pragma once

// A sink's non-owning link to its target face: the pointer, plus the target's
// life token, so the link reads as empty once the target has gone away.

#include <memory>

namespace velmoran::webview {

template <typename Face>
class SinkLink {
 public:
  SinkLink() = default;
  explicit SinkLink(Face* face) : face_(face) {
    if (face != nullptr) lifeToken_ = face->LifeToken();
  }

  // Whether the sink was made with a target at all, alive or not.
  bool IsSet() const noexcept { return face_ != nullptr; }
  // The target while it takes callbacks, else null.
  Face* Target() const noexcept { return (face_ != nullptr && lifeToken_ && *lifeToken_) ? face_ : nullptr; }

 private:
  Face* face_ = nullptr;
  std::shared_ptr<const bool> lifeToken_;
};

}  // namespace velmoran::webview
