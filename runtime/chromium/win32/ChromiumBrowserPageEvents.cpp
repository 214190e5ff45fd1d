#include <algorithm>

#include "base/Text.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"

// Protocol events of the page that the host subscribed to by name. The
// session keeps its subscribers for good, so each name is routed to
// DeliverPageEvent once and the subscriptions themselves live here, where
// they can also end.

namespace velmoran::runtime::chromium {

std::uint64_t ChromiumBrowser::SubscribePageEvent(const std::u16string& method, PageEventHandler handler) {
  const std::uint64_t id = nextPageEventSubscription_++;
  pageEventSubscriptions_.push_back({id, method, std::move(handler)});
  if (routedPageEvents_.insert(method).second)
    session_.Subscribe(method, [this](const DevToolsMessage& event) { DeliverPageEvent(event); });
  // Events of a domain arrive only once it is enabled. A domain without an
  // enable method answers it with an error, which costs nothing.
  const std::size_t dot = method.find(u'.');
  if (dot != std::u16string::npos && dot > 0) {
    const std::u16string domain = method.substr(0, dot);
    if (enabledDomains_.insert(domain).second && Usable()) CallPage(Utf16ToUtf8(domain) + ".enable", "{}");
  }
  return id;
}

void ChromiumBrowser::UnsubscribePageEvent(std::uint64_t subscription) {
  std::erase_if(pageEventSubscriptions_,
                [&](const PageEventSubscription& entry) { return entry.id == subscription; });
}

void ChromiumBrowser::DeliverPageEvent(const DevToolsMessage& event) {
  if (!IsPage(event)) return;
  std::vector<std::uint64_t> ids;
  for (const PageEventSubscription& entry : pageEventSubscriptions_)
    if (entry.method == event.method) ids.push_back(entry.id);
  // A handler may end subscriptions, its own or others': each is looked up again before it is called.
  for (const std::uint64_t id : ids) {
    const auto found = std::find_if(pageEventSubscriptions_.begin(), pageEventSubscriptions_.end(),
                                    [&](const PageEventSubscription& entry) { return entry.id == id; });
    if (found == pageEventSubscriptions_.end()) continue;
    const PageEventHandler handler = found->handler;
    handler(event.body);
  }
}

}  // namespace velmoran::runtime::chromium
