#pragma once

// The plain sink shape: one target face, `events_`. Invoke passes the
// runtime's arguments unchanged to the face method `Method` and answers what
// it answers; E_FAIL when there is no live target.
//
// The handler interface and the face method are the sink's whole definition;
// Invoke's parameters are read off the face method, so a face method that does
// not match the interface's Invoke fails to compile instead of miscalling.

#include <string_view>

#include "webview/abi/ComObject.h"
#include "webview/sinks/SinkDispatch.h"
#include "webview/sinks/SinkLink.h"
#include "webview/sinks/SinkName.h"

namespace velmoran::webview {

template <typename Interface, auto Method, SinkName Name>
class PlainSink;

template <typename Interface, typename Face, typename... Arguments, HRESULT (Face::*Method)(Arguments...),
          SinkName Name>
class PlainSink<Interface, Method, Name> final : public ComObject<Interface> {
 public:
  static constexpr std::u16string_view kCallbackName = Name.View();

  explicit PlainSink(Face* aEvents) : events_(aEvents) {}

  HRESULT WV2_STDCALL Invoke(Arguments... arguments) override {
    return DispatchToTarget(events_, Name.View(),
                            [&](Face& target) { return (target.*Method)(arguments...); });
  }

 private:
  SinkLink<Face> events_;
};

}  // namespace velmoran::webview
