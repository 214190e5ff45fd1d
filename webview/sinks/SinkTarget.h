#pragma once

// The common part of the two callback faces a sink can aim at (the browser
// control's IWVBrowserEvents and the loader's IWVLoaderEvents).
//
// The runtime holds a sink as long as it likes: a completion may arrive after
// the browser control that started the call is gone, and a subscription is
// only dropped when the runtime releases it. So a sink never trusts its bare
// target pointer alone: it also shares the target's life token, which the
// target turns off when it goes away. A callback that arrives after that is
// answered E_FAIL and never touches the target.

#include <memory>
#include <string_view>

namespace velmoran::webview {

class SinkTarget {
 public:
  SinkTarget(const SinkTarget&) = delete;
  SinkTarget& operator=(const SinkTarget&) = delete;

  // Shared with every sink aimed at this target: true while the target takes callbacks.
  const std::shared_ptr<const bool>& LifeToken() const noexcept { return lifeToken_; }

  // An application handler behind `callbackName` threw; the sink swallowed the
  // exception so that it never travels back into the runtime, and tells the
  // target here so it can be logged. The default does nothing.
  virtual void HandleCallbackException(std::u16string_view callbackName, std::u16string_view description);

 protected:
  SinkTarget();
  // Turns the life token off. A target calls this first thing in its own
  // destructor, so no callback can reach it half-destroyed; the base destructor
  // calls it again in case a target forgot.
  virtual ~SinkTarget();
  void DetachSinks() noexcept;

 private:
  std::shared_ptr<bool> alive_;
  std::shared_ptr<const bool> lifeToken_;
};

}  // namespace velmoran::webview
