// The page's frames on the real engine: a served page with one iframe makes
// the control raise FrameCreated, then the frame's own navigation events with
// its address, its name as the frame's document shows it, a new name with the
// frame's next document, and FrameDestroyed when the page takes the iframe out.

#include <windows.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "tests/engine/family/EngineFamilyFixture.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/abi/WideText.h"

namespace velmoran::test::engine {
namespace {

// What one frame event said: the event, the frame's id and what came with it.
struct FrameEventSeen {
  std::u16string event;
  std::uint32_t frameID = 0;
  std::u16string detail;
};

// A frame's name, asked the way an application must: the frame's interface through QueryInterface first.
std::u16string FrameName(IUnknown* aFrame) {
  ICoreWebView2Frame* frame = nullptr;
  if (aFrame == nullptr ||
      FAILED(aFrame->QueryInterface(IID_ICoreWebView2Frame, reinterpret_cast<void**>(&frame))) ||
      frame == nullptr)
    return u"(no frame)";
  LPWSTR name = nullptr;
  std::u16string result = SUCCEEDED(frame->get_Name(&name)) && name != nullptr
                              ? std::u16string(webview::FromWideText(name))
                              : u"";
  ::CoTaskMemFree(name);
  frame->Release();
  return result;
}

std::u16string NavigationUri(ICoreWebView2NavigationStartingEventArgs* args) {
  LPWSTR uri = nullptr;
  std::u16string result = args != nullptr && SUCCEEDED(args->get_Uri(&uri)) && uri != nullptr
                              ? std::u16string(webview::FromWideText(uri))
                              : u"";
  ::CoTaskMemFree(uri);
  return result;
}

class FramesEngineTest : public EngineFamilyFixture {
 protected:
  void ListenToFrames() {
    Hook(Browser().OnFrameCreated,
         webview::TWVRuntimeEvent<ICoreWebView2, ICoreWebView2FrameCreatedEventArgs>(
             [this](webview::TWVBrowserBase*, ICoreWebView2*, ICoreWebView2FrameCreatedEventArgs*) {
               ++created;
             }));
    Hook(Browser().OnFrameNavigationStarting2,
         webview::TWVFrameEvent<ICoreWebView2NavigationStartingEventArgs>(
             [this](webview::TWVBrowserBase*, IUnknown*, ICoreWebView2NavigationStartingEventArgs* args,
                    std::uint32_t id) {
               seen.push_back({u"starting", id, NavigationUri(args)});
             }));
    Hook(Browser().OnFrameNavigationCompleted2,
         webview::TWVFrameEvent<ICoreWebView2NavigationCompletedEventArgs>(
             [this](webview::TWVBrowserBase*, IUnknown*, ICoreWebView2NavigationCompletedEventArgs* args,
                    std::uint32_t id) {
               BOOL success = FALSE;
               if (args != nullptr) args->get_IsSuccess(&success);
               seen.push_back({u"completed", id, success != FALSE ? u"ok" : u"failed"});
             }));
    Hook(Browser().OnFrameNameChanged,
         webview::TOnFrameEvent([this](webview::TWVBrowserBase*, IUnknown* frame, std::uint32_t id) {
           seen.push_back({u"name", id, FrameName(frame)});
         }));
    Hook(Browser().OnFrameDestroyed,
         webview::TOnFrameEvent([this](webview::TWVBrowserBase*, IUnknown*, std::uint32_t id) {
           seen.push_back({u"destroyed", id, u""});
         }));
  }

  bool Saw(const std::u16string& event, const std::u16string& detail) const {
    for (const FrameEventSeen& one : seen)
      if (one.event == event && one.detail == detail) return true;
    return false;
  }
  std::string Seen() const {
    std::string text;
    for (const FrameEventSeen& one : seen)
      text +=
          Utf16ToUtf8(one.event) + " " + std::to_string(one.frameID) + " " + Utf16ToUtf8(one.detail) + "\n";
    return text;
  }

  int created = 0;
  std::vector<FrameEventSeen> seen;
};

TEST_F(FramesEngineTest, AnIframeIsCreatedNavigatedRenamedAndDestroyed) {
  ListenToFrames();
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"frames/index.html")));

  const std::u16string inner = PageURL(u"frames/inner.html");
  ASSERT_TRUE(Engine().WaitUntil([&] {
    return created == 1 && Saw(u"completed", u"ok") && Saw(u"name", u"first");
  })) << "created "
      << created << ", seen:\n"
      << Seen();
  EXPECT_TRUE(Saw(u"starting", inner)) << Seen();
  const std::uint32_t frameID = seen.front().frameID;
  EXPECT_NE(frameID, 0u);
  for (const FrameEventSeen& one : seen) EXPECT_EQ(one.frameID, frameID) << Seen();

  // The frame's own script names it anew; the name shows with its next document.
  seen.clear();
  ASSERT_TRUE(
      Engine().ExecuteScriptAndWait(u"const child = document.getElementById('child');"
                                    u"child.contentWindow.name = 'renamed'; child.src = 'second.html'; 1"));
  ASSERT_TRUE(Engine().WaitUntil([&] { return Saw(u"name", u"renamed") && Saw(u"completed", u"ok"); }))
      << Seen();
  EXPECT_TRUE(Saw(u"starting", PageURL(u"frames/second.html"))) << Seen();

  seen.clear();
  ASSERT_TRUE(Engine().ExecuteScriptAndWait(u"document.getElementById('child').remove(); 1"));
  ASSERT_TRUE(Engine().WaitUntil([&] { return Saw(u"destroyed", u""); })) << Seen();
  EXPECT_EQ(seen.back().frameID, frameID);
  EXPECT_EQ(created, 1);
}

}  // namespace
}  // namespace velmoran::test::engine
