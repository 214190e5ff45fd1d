#pragma once

// The sink shape of an event raised by one of several objects of a kind that
// the browser control follows one by one (frames, downloads): besides its
// target face it keeps the control's number for the object it was subscribed
// on, `id_`, and hands it to the face after the runtime's two arguments, so the
// control knows which of its objects fired without calling the sender.

#include <string_view>

#include "webview/abi/ComObject.h"
#include "webview/sinks/SinkDispatch.h"
#include "webview/sinks/SinkLink.h"
#include "webview/sinks/SinkName.h"

namespace velmoran::webview {

template <typename Interface, auto Method, SinkName Name>
class EventIdSink;

template <typename Interface, typename Face, typename Sender, typename Args, typename Id,
          HRESULT (Face::*Method)(Sender, Args, Id), SinkName Name>
class EventIdSink<Interface, Method, Name> final : public ComObject<Interface> {
 public:
  static constexpr std::u16string_view kCallbackName = Name.View();

  EventIdSink(Face* aEvents, Id aID) : events_(aEvents), id_(aID) {}

  HRESULT WV2_STDCALL Invoke(Sender sender, Args args) override {
    return DispatchToTarget(events_, Name.View(),
                            [&](Face& target) { return (target.*Method)(sender, args, id_); });
  }

 private:
  SinkLink<Face> events_;
  Id id_;
};

}  // namespace velmoran::webview
