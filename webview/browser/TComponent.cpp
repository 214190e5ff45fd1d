#include "webview/browser/TComponent.h"

#include <algorithm>
#include <utility>

namespace velmoran::webview {

TComponent::~TComponent() { NotifyRemoval(); }

void TComponent::Link(TComponent* aComponent) {
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), aComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(aComponent);
  }
}

void TComponent::Unlink(TComponent* aComponent) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), aComponent),
                      FFreeNotifies.end());
}

void TComponent::FreeNotification(TComponent* aComponent) {
  if (aComponent == nullptr || aComponent == this) return;
  // Kept on both sides, so whichever goes first can reach the other.
  Link(aComponent);
  aComponent->Link(this);
}

void TComponent::RemoveFreeNotification(TComponent* aComponent) {
  if (aComponent == nullptr) return;
  Unlink(aComponent);
  aComponent->Unlink(this);
}

void TComponent::Notification(TComponent* /*aComponent*/, TOperation /*aOperation*/) {}

void TComponent::NotifyRemoval() {
  if (FRemovalNotified) return;
  FRemovalNotified = true;
  // A handler may withdraw links while we walk, so work on a copy.
  const std::vector<TComponent*> linked = std::exchange(FFreeNotifies, {});
  for (TComponent* other : linked) {
    other->Unlink(this);
    other->Notification(this, TOperation::opRemove);
  }
}

}  // namespace velmoran::webview
