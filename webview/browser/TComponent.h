#pragma once

// The removal notice between components that refer to one another without
// owning each other. A component that keeps a pointer to another asks it for
// a notice (FreeNotification); when that other one is destroyed it tells every
// component that asked (Notification with opRemove) before anything of it is
// released, so the pointer can be dropped in time. Either side may go first:
// a component that is destroyed also withdraws the requests it made.

#include <vector>

namespace velmoran::webview {

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // `aComponent` will be told when this component is destroyed.
  void FreeNotification(TComponent* aComponent);
  void RemoveFreeNotification(TComponent* aComponent);

 protected:
  TComponent() = default;
  virtual ~TComponent();

  // Called on every component that asked for a notice from `aComponent`.
  virtual void Notification(TComponent* aComponent, TOperation aOperation);

  // Tells the components that asked for a notice that this one is going; a
  // derived class calls it first thing in its destructor, while it is still
  // whole. Runs once; the base destructor calls it for those that did not.
  void NotifyRemoval();

 private:
  void Link(TComponent* aComponent);
  void Unlink(TComponent* aComponent);

  std::vector<TComponent*> FFreeNotifies;  // both directions: who watches us and whom we watch
  bool FRemovalNotified = false;
};

}  // namespace velmoran::webview
