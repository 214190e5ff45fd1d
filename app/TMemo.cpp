#include "app/TMemo.h"

#include <utility>

#include "platform/EditControl.h"

namespace velmoran::app {

using namespace platform;

namespace {

// The control keeps every line followed by CR LF, its own line break; the
// one empty line of a new view is the text "\r\n".
constexpr char16_t kLineBreak[] = u"\r\n";

// Lines up to this many characters are copied to be joined with their line break.
constexpr std::size_t kJoinedLineLimit = 4096;

constexpr std::uint32_t kMemoStyle = kWsChild | kWsVisible | kWsClipSiblings | kWsTabStop | kWsHScroll |
                                     kWsVScroll | kEsMultiline | kEsAutoVScroll | kEsAutoHScroll;

}  // namespace

TMemo::TMemo(WindowManager& windows, Graphics& graphics) : FWindows(windows), FGraphics(graphics) {
  FContents.SetMirror(this);
}

TMemo::~TMemo() {
  FContents.SetMirror(nullptr);
  DestroyHandle();
}

void TMemo::DestroyHandle() {
  const WindowHandle handle = std::exchange(FHandle, 0);
  if (handle != 0 && FWindows.IsWindow(handle)) FWindows.DestroyWindow(handle);
}

bool TMemo::CreateHandle(WindowHandle parent, GdiObject font) {
  WindowCreation creation;
  creation.exStyle = kWsExClientEdge;
  creation.className = std::u16string(kEditClass);
  creation.style = kMemoStyle;
  creation.parent = parent;
  FWindows.GetClientRect(parent, creation.bounds);
  FHandle = FWindows.CreateWindowExW(creation);
  if (FHandle == 0) return false;
  FWindows.SendMessageW(FHandle, kWmSetFont, static_cast<std::uintptr_t>(font), 0);
  // The log view has no length limit of its own; the control's default
  // would cut lines off after 30000 characters.
  FWindows.SendMessageW(FHandle, kEmSetLimitText, 0, 0);
  std::u16string text;
  for (const std::u16string& line : FContents.Lines()) {
    text.append(line);
    text.append(kLineBreak);
  }
  FWindows.SetWindowTextW(FHandle, text);
  return true;
}

void TMemo::LineAdded(const std::u16string& line) {
  if (FHandle == 0) return;
  const auto end = static_cast<std::uintptr_t>(FWindows.SendMessageW(FHandle, kWmGetTextLength, 0, 0));
  FWindows.SendMessageW(FHandle, kEmSetSel, end, static_cast<std::intptr_t>(end));
  // Each insertion makes the control lay its text out again, so a line of
  // ordinary length goes in with its line break at once; a long one (a line
  // can be megabytes) goes in as it is, and the line break after it.
  if (line.size() <= kJoinedLineLimit) {
    std::u16string joined;
    joined.reserve(line.size() + 2);
    joined.append(line).append(kLineBreak);
    FWindows.SendMessageW(FHandle, kEmReplaceSel, 0, reinterpret_cast<std::intptr_t>(joined.c_str()));
    return;
  }
  FWindows.SendMessageW(FHandle, kEmReplaceSel, 0, reinterpret_cast<std::intptr_t>(line.c_str()));
  FWindows.SendMessageW(FHandle, kEmReplaceSel, 0, reinterpret_cast<std::intptr_t>(kLineBreak));
}

void TMemo::Cleared() {
  if (FHandle != 0) FWindows.SetWindowTextW(FHandle, u"");
}

GdiObject TMemo::ControlColor(DeviceContext deviceContext) {
  FGraphics.SetTextColor(deviceContext, FGraphics.GetSysColor(kColorWindow));
  FGraphics.SetBkColor(deviceContext, kBlack);
  return FGraphics.GetStockObject(kBlackBrush);
}

}  // namespace velmoran::app
