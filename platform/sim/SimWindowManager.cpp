#include "platform/sim/SimWindowManager.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/Text.h"
#include "platform/EditControl.h"
#include "platform/sim/SimEditControl.h"

namespace velmoran::platform::sim {
namespace {

// The hidden window's message that runs a posted callback.
constexpr std::uint32_t kRunCallbackMessage = kWmApp + 0x3F00;

std::int64_t IntersectionArea(const Rect& a, const Rect& b) {
  const std::int64_t w = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const std::int64_t h = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

std::int64_t DistanceSquared(const Rect& a, const Rect& b) {
  const std::int64_t dx =
      std::max<std::int64_t>({0, std::int64_t{b.left} - a.right, std::int64_t{a.left} - b.right});
  const std::int64_t dy =
      std::max<std::int64_t>({0, std::int64_t{b.top} - a.bottom, std::int64_t{a.top} - b.bottom});
  return dx * dx + dy * dy;
}

// What the system adds to the styles a window is created with: a top-level
// window clips its siblings, an overlapped one (neither popup nor child)
// always has a caption.
std::uint32_t CompletedStyle(std::uint32_t style) {
  if (style & kWsChild) return style;
  style |= kWsClipSiblings;
  if (!(style & kWsPopup)) style |= kWsCaption;
  return style;
}

// A dialog or resizable frame is drawn raised (WS_EX_WINDOWEDGE), unless
// the window asked for a static edge; a modal dialog frame always is.
std::uint32_t CompletedExStyle(std::uint32_t style, std::uint32_t exStyle) {
  constexpr std::uint32_t kWsExDlgModalFrame = 0x00000001;
  constexpr std::uint32_t kWsExWindowEdge = 0x00000100;
  constexpr std::uint32_t kWsExStaticEdge = 0x00020000;
  const bool raised = (exStyle & kWsExDlgModalFrame) ||
                      (!(exStyle & kWsExStaticEdge) && (style & (kWsDlgFrame | kWsThickFrame)));
  return raised ? exStyle | kWsExWindowEdge : exStyle & ~kWsExWindowEdge;
}

std::intptr_t SizeParam(const Rect& client) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(client.Height() & 0xFFFF) << 16) |
                                    static_cast<std::uint32_t>(client.Width() & 0xFFFF));
}

}  // namespace

struct SimWindowManager::Window {
  std::u16string className;
  std::u16string title;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  Rect rect;         // screen coordinates for a top-level window, parent client coordinates for a child
  Rect restoreRect;  // the bounds a maximised window returns to
  WindowHandle parent = 0;
  // An overlapped window learns its client size when first shown.
  bool needsSize = false;
  std::vector<WindowHandle> children;  // creation order
  WindowProcRef procedure = 0;         // 0: default handling
  Rect lastClient;
  std::unique_ptr<SimEditControl> edit;  // the system's edit control, whose text is the title
};

class SimWindowManager::CallbackWindow final : public WindowProcedure {
 public:
  explicit CallbackWindow(SimWindowManager& owner) : owner_(owner) {}

  std::intptr_t WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override {
    if (message != kRunCallbackMessage) return owner_.DefWindowProcW(window, message, wParam, lParam);
    auto it = owner_.callbacks_.find(wParam);
    if (it == owner_.callbacks_.end()) return 0;
    std::function<void()> callback = std::move(it->second);
    owner_.callbacks_.erase(it);
    if (callback) callback();
    return 0;
  }

 private:
  SimWindowManager& owner_;
};

SimWindowManager::SimWindowManager() {
  monitors_.push_back(MonitorInfo{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}, 1});
}

SimWindowManager::~SimWindowManager() = default;

SimWindowManager::Window* SimWindowManager::Find(WindowHandle window) {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

const SimWindowManager::Window* SimWindowManager::Find(WindowHandle window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

Rect SimWindowManager::FrameOf(std::uint32_t style) const {
  std::int32_t edge = 0;
  if (style & kWsThickFrame) {
    edge = kSimThickFrame;
  } else if (style & (kWsBorder | kWsDlgFrame)) {
    edge = kSimThinFrame;
  }
  const std::int32_t caption = (style & kWsCaption) == kWsCaption ? kSimCaption : 0;
  return Rect{edge, edge + caption, edge, edge};
}

Rect SimWindowManager::ScreenRectOf(const Window& window) const {
  const Window* parent = Find(window.parent);
  if (parent == nullptr) return window.rect;
  const Rect parentRect = ScreenRectOf(*parent);
  const Rect frame = FrameOf(parent->style);
  const std::int32_t x = parentRect.left + frame.left;
  const std::int32_t y = parentRect.top + frame.top;
  return Rect{window.rect.left + x, window.rect.top + y, window.rect.right + x, window.rect.bottom + y};
}

WindowHandle SimWindowManager::CreateWindowExW(const WindowCreation& creation) {
  if (creation.parent != 0 && Find(creation.parent) == nullptr) return 0;
  const WindowHandle handle = nextHandle_;
  nextHandle_ += 4;
  auto window = std::make_unique<Window>();
  window->className = creation.className;
  window->title = creation.windowName;
  window->style = CompletedStyle(creation.style);
  window->exStyle = CompletedExStyle(window->style, creation.exStyle);
  window->rect = creation.bounds;
  window->restoreRect = creation.bounds;
  window->parent = creation.parent;
  window->procedure = creation.procedure != nullptr ? WindowProcRefOf(*creation.procedure) : 0;
  if (creation.procedure == nullptr && EqualsIgnoringAsciiCase(creation.className, kEditClass)) {
    window->edit = std::make_unique<SimEditControl>(creation.style);
  }
  windows_.emplace(handle, std::move(window));
  if (Window* parent = Find(creation.parent)) parent->children.push_back(handle);

  SendMessageW(handle, kWmCreate, 0, 0);
  // A child or popup learns its client size at once, an overlapped window
  // when it is first shown (at once when it is created visible).
  if (Window* created = Find(handle);
      created != nullptr && !(created->style & (kWsChild | kWsPopup | kWsVisible))) {
    created->needsSize = true;
  } else {
    Resized(handle, kSizeRestored);
  }
  return Find(handle) != nullptr ? handle : 0;
}

void SimWindowManager::DestroyTree(WindowHandle handle) {
  Window* window = Find(handle);
  if (window == nullptr) return;
  if (destroyObserver_) destroyObserver_(handle);
  SendMessageW(handle, kWmDestroy, 0, 0);
  window = Find(handle);
  if (window == nullptr) return;
  const std::vector<WindowHandle> children = window->children;
  for (WindowHandle child : children) DestroyTree(child);
  window = Find(handle);
  if (window == nullptr) return;
  if (Window* parent = Find(window->parent)) std::erase(parent->children, handle);
  if (focus_ == handle) focus_ = 0;
  windows_.erase(handle);
}

bool SimWindowManager::DestroyWindow(WindowHandle window) {
  if (Find(window) == nullptr) return false;
  DestroyTree(window);
  return true;
}

bool SimWindowManager::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

std::int32_t SimWindowManager::GetWindowLongW(WindowHandle handle, std::int32_t index) {
  const Window* window = Find(handle);
  if (window == nullptr) return 0;
  if (index == kGwlStyle) return static_cast<std::int32_t>(window->style);
  if (index == kGwlExStyle) return static_cast<std::int32_t>(window->exStyle);
  return 0;
}

std::int32_t SimWindowManager::SetWindowLongW(WindowHandle handle, std::int32_t index, std::int32_t value) {
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  std::uint32_t* word = index == kGwlStyle     ? &window->style
                        : index == kGwlExStyle ? &window->exStyle
                                               : nullptr;
  if (word == nullptr) return 0;
  const auto previous = static_cast<std::int32_t>(*word);
  *word = static_cast<std::uint32_t>(value);
  // A top-level window keeps clipping its siblings whatever is written.
  if (word == &window->style && !(window->style & kWsChild)) window->style |= kWsClipSiblings;
  return previous;
}

WindowProcRef SimWindowManager::GetWindowProcW(WindowHandle handle) {
  const Window* window = Find(handle);
  return window == nullptr ? 0 : window->procedure;
}

WindowProcRef SimWindowManager::SetWindowProcW(WindowHandle handle, WindowProcRef procedure) {
  Window* window = Find(handle);
  if (window == nullptr) return 0;
  return std::exchange(window->procedure, procedure);
}

WindowProcRef SimWindowManager::WindowProcRefOf(WindowProcedure& procedure) {
  auto it = std::find(procedures_.begin(), procedures_.end(), &procedure);
  if (it == procedures_.end()) it = procedures_.insert(procedures_.end(), &procedure);
  return static_cast<WindowProcRef>(it - procedures_.begin()) + 1;
}

std::intptr_t SimWindowManager::CallWindowProcW(WindowProcRef procedure, WindowHandle window,
                                                std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
  if (procedure == 0 || procedure > procedures_.size()) {
    // No procedure of ours: the system's, the edit control's own where it is one.
    if (Window* found = Find(window); found != nullptr && found->edit) {
      if (auto answer = found->edit->WindowProc(found->title, message, wParam, lParam)) return *answer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return procedures_[procedure - 1]->WindowProc(window, message, wParam, lParam);
}

std::intptr_t SimWindowManager::DefWindowProcW(WindowHandle window, std::uint32_t message, std::uintptr_t,
                                               std::intptr_t) {
  if (message == kWmClose) DestroyWindow(window);
  return 0;
}

bool SimWindowManager::SetWindowTextW(WindowHandle handle, std::u16string_view text) {
  Window* window = Find(handle);
  if (window == nullptr) return false;
  window->title = std::u16string(text.substr(0, text.find(u'\0')));  // Win32 takes a terminated string
  if (window->edit) window->edit->TextSet();
  return true;
}

std::u16string SimWindowManager::GetWindowTextW(WindowHandle handle) {
  const Window* window = Find(handle);
  return window == nullptr ? std::u16string() : window->title;
}

bool SimWindowManager::GetWindowRect(WindowHandle handle, Rect& rect) {
  const Window* window = Find(handle);
  if (window == nullptr) return false;
  rect = ScreenRectOf(*window);
  return true;
}

bool SimWindowManager::GetClientRect(WindowHandle handle, Rect& rect) {
  const Window* window = Find(handle);
  if (window == nullptr) return false;
  const Rect frame = FrameOf(window->style);
  rect = Rect{0, 0, std::max(0, window->rect.Width() - frame.left - frame.right),
              std::max(0, window->rect.Height() - frame.top - frame.bottom)};
  return true;
}

void SimWindowManager::Resized(WindowHandle handle, std::uintptr_t kind) {
  Window* window = Find(handle);
  if (window == nullptr) return;
  Rect client;
  GetClientRect(handle, client);
  window->lastClient = client;
  window->needsSize = false;
  SendMessageW(handle, kWmSize, kind, SizeParam(client));
}

bool SimWindowManager::SetWindowPos(WindowHandle handle, WindowHandle, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  Window* window = Find(handle);
  if (window == nullptr) return false;
  if (!(flags & kSwpNoMove)) {
    window->rect = Rect{x, y, x + window->rect.Width(), y + window->rect.Height()};
  }
  if (!(flags & kSwpNoSize)) {
    window->rect.right = window->rect.left + std::max(0, cx);
    window->rect.bottom = window->rect.top + std::max(0, cy);
  }
  if (flags & kSwpShowWindow) window->style |= kWsVisible;
  if (flags & kSwpHideWindow) window->style &= ~kWsVisible;
  Rect client;
  GetClientRect(handle, client);
  if (client != window->lastClient || (flags & kSwpFrameChanged)) {
    Resized(handle, (window->style & kWsMaximize) ? kSizeMaximized : kSizeRestored);
  }
  return true;
}

bool SimWindowManager::AdjustWindowRectEx(Rect& rect, std::uint32_t style, bool, std::uint32_t) {
  const Rect frame = FrameOf(style);
  rect = Rect{rect.left - frame.left, rect.top - frame.top, rect.right + frame.right,
              rect.bottom + frame.bottom};
  return true;
}

bool SimWindowManager::ShowWindow(WindowHandle handle, std::int32_t command) {
  Window* window = Find(handle);
  if (window == nullptr) return false;
  const bool wasVisible = (window->style & kWsVisible) != 0;
  switch (command) {
    case kSwHide:
      window->style &= ~kWsVisible;
      break;
    case kSwShowMaximized:
      window->style |= kWsVisible;
      if (!(window->style & kWsMaximize)) {
        window->restoreRect = window->rect;
        window->style |= kWsMaximize;
        MonitorInfo info;
        GetMonitorInfoW(MonitorFromWindow(handle, kMonitorDefaultToNearest), info);
        // The frame's border hangs over the work area's edges, so that the
        // client area spans its whole width and everything below the caption.
        const std::int32_t border = FrameOf(window->style).left;
        window->rect = Rect{info.rcWork.left - border, info.rcWork.top - border, info.rcWork.right + border,
                            info.rcWork.bottom + border};
        Resized(handle, kSizeMaximized);
      }
      break;
    case kSwShowNormal:
    case kSwRestore:
      window->style |= kWsVisible;
      if (window->style & kWsMaximize) {
        window->style &= ~kWsMaximize;
        window->rect = window->restoreRect;
        Resized(handle, kSizeRestored);
      }
      break;
    default:
      window->style |= kWsVisible;
      break;
  }
  if (Window* shown = Find(handle); shown != nullptr && command != kSwHide && shown->needsSize) {
    Resized(handle, (shown->style & kWsMaximize) ? kSizeMaximized : kSizeRestored);
  }
  return wasVisible;
}

bool SimWindowManager::IsWindowVisible(WindowHandle handle) {
  for (const Window* window = Find(handle); window != nullptr; window = Find(window->parent)) {
    if (!(window->style & kWsVisible)) return false;
    if (window->parent == 0) return true;
  }
  return false;
}

WindowHandle SimWindowManager::SetFocus(WindowHandle window) {
  if (window != 0 && Find(window) == nullptr) return 0;
  const WindowHandle previous = focus_;
  if (previous == window) return previous;
  focus_ = window;
  if (Find(previous) != nullptr) SendMessageW(previous, kWmKillFocus, window, 0);
  if (window != 0) SendMessageW(window, kWmSetFocus, previous, 0);
  return previous;
}

std::int16_t SimWindowManager::GetKeyState(std::int32_t virtualKey) {
  const bool down =
      virtualKey >= 0 && virtualKey <= 0xFF && keysDown_.contains(static_cast<std::uint16_t>(virtualKey));
  return down ? static_cast<std::int16_t>(-128) : std::int16_t{0};  // 0xFF80: high bit set
}

MonitorHandle SimWindowManager::MonitorFromWindow(WindowHandle handle, std::uint32_t) {
  const Window* window = Find(handle);
  if (window == nullptr || monitors_.empty()) return 0;
  const Rect rect = ScreenRectOf(*window);
  std::size_t best = 0;
  std::int64_t bestArea = -1;
  std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = 0; i < monitors_.size(); ++i) {
    const std::int64_t area = IntersectionArea(rect, monitors_[i].rcMonitor);
    const std::int64_t distance = DistanceSquared(rect, monitors_[i].rcMonitor);
    if (area > bestArea || (area == 0 && bestArea == 0 && distance < bestDistance)) {
      best = i;
      bestArea = area;
      bestDistance = distance;
    }
  }
  return static_cast<MonitorHandle>(best + 1);
}

bool SimWindowManager::GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) {
  if (monitor == 0 || monitor > monitors_.size()) return false;
  info = monitors_[monitor - 1];
  return true;
}

std::int32_t SimWindowManager::GetSystemMetrics(std::int32_t index) {
  if (monitors_.empty()) return 0;
  if (index == kSmCxScreen) return monitors_.front().rcMonitor.Width();
  if (index == kSmCyScreen) return monitors_.front().rcMonitor.Height();
  return 0;
}

WindowHandle SimWindowManager::GetWindow(WindowHandle handle, std::uint32_t command) {
  const Window* window = Find(handle);
  if (window == nullptr || command != kGwChild || window->children.empty()) return 0;
  return window->children.front();
}

WindowHandle SimWindowManager::FindWindowExW(WindowHandle parent, WindowHandle childAfter,
                                             std::optional<std::u16string_view> className,
                                             std::optional<std::u16string_view> windowName) {
  std::vector<WindowHandle> candidates;
  if (parent == 0) {
    for (const auto& [handle, window] : windows_) {
      if (window->parent == 0) candidates.push_back(handle);
    }
  } else if (const Window* window = Find(parent)) {
    candidates = window->children;
  }
  auto it = candidates.begin();
  if (childAfter != 0) {
    it = std::find(candidates.begin(), candidates.end(), childAfter);
    if (it == candidates.end()) return 0;
    ++it;
  }
  for (; it != candidates.end(); ++it) {
    const Window* window = Find(*it);
    if (className && !EqualsIgnoringAsciiCase(window->className, *className)) continue;
    if (windowName && window->title != *windowName) continue;
    return *it;
  }
  return 0;
}

bool SimWindowManager::RedrawWindow(WindowHandle window, std::uint32_t) { return Find(window) != nullptr; }

bool SimWindowManager::PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  if (window != 0 && Find(window) == nullptr) return false;
  queue_.push_back(Message{window, message, wParam, lParam});
  return true;
}

std::intptr_t SimWindowManager::SendMessageW(WindowHandle handle, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
  const Window* window = Find(handle);
  if (window == nullptr) return 0;
  return CallWindowProcW(window->procedure, handle, message, wParam, lParam);
}

bool SimWindowManager::TakeMessage(Message& message, WindowHandle window, std::uint32_t filterMin,
                                   std::uint32_t filterMax, bool remove) {
  const bool anyMessage = filterMin == 0 && filterMax == 0;
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (window != 0 && it->hwnd != window) continue;
    if (!anyMessage && (it->message < filterMin || it->message > filterMax)) continue;
    message = *it;
    if (remove) queue_.erase(it);
    return true;
  }
  // The quit request comes only once the posted messages are gone, as the system does it.
  if (quitPosted_ && (anyMessage || (filterMin <= kWmQuit && kWmQuit <= filterMax))) {
    message = Message{0, kWmQuit, static_cast<std::uintptr_t>(static_cast<std::uint32_t>(quitCode_)), 0};
    if (remove) quitPosted_ = false;
    return true;
  }
  return false;
}

bool SimWindowManager::PeekMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                                    std::uint32_t filterMax, std::uint32_t removeFlags) {
  return TakeMessage(message, window, filterMin, filterMax, (removeFlags & kPmRemove) != 0);
}

std::int32_t SimWindowManager::GetMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                                           std::uint32_t filterMax) {
  if (!TakeMessage(message, window, filterMin, filterMax, true)) {
    if (idleHandler_) idleHandler_();
    if (!TakeMessage(message, window, filterMin, filterMax, true)) return -1;
  }
  return message.message == kWmQuit ? 0 : 1;
}

bool SimWindowManager::TranslateMessage(const Message& message) {
  return message.message == kWmKeyDown || message.message == kWmSysKeyDown;
}

std::intptr_t SimWindowManager::DispatchMessageW(const Message& message) {
  const Window* window = Find(message.hwnd);
  if (window == nullptr) return 0;
  ++dispatched_;
  return CallWindowProcW(window->procedure, message.hwnd, message.message, message.wParam, message.lParam);
}

void SimWindowManager::PostQuitMessage(std::int32_t exitCode) {
  quitPosted_ = true;
  quitCode_ = exitCode;
}

std::int32_t SimWindowManager::MessageBoxW(WindowHandle owner, std::u16string_view text,
                                           std::u16string_view caption, std::uint32_t flags) {
  MessageBoxRecord record{owner, std::u16string(text), std::u16string(caption), flags};
  messageBoxes_.push_back(record);
  return messageBoxHandler_ ? messageBoxHandler_(record) : kIdOk;
}

void SimWindowManager::PostCallback(std::function<void()> callback) {
  if (Find(callbackHandle_) == nullptr) {
    if (!callbackWindow_) callbackWindow_ = std::make_unique<CallbackWindow>(*this);
    WindowCreation creation;
    creation.className = u"VelmoranSimCallbacks";
    creation.procedure = callbackWindow_.get();
    callbackHandle_ = CreateWindowExW(creation);
  }
  const std::uintptr_t id = nextCallback_++;
  callbacks_.emplace(id, std::move(callback));
  PostMessageW(callbackHandle_, kRunCallbackMessage, id, 0);
}

void SimWindowManager::SetMonitors(std::vector<MonitorInfo> monitors) { monitors_ = std::move(monitors); }

void SimWindowManager::SetKeyDown(std::uint16_t virtualKey, bool down) {
  if (down) {
    keysDown_.insert(virtualKey);
  } else {
    keysDown_.erase(virtualKey);
  }
}

void SimWindowManager::PressKey(std::uint16_t virtualKey, WindowHandle fallback) {
  const WindowHandle target = focus_ != 0 ? focus_ : fallback;
  const bool alt = keysDown_.contains(kVkMenu);
  const std::intptr_t lParam = 1 | (alt ? (std::intptr_t{1} << 29) : 0);  // repeat count 1, context code
  PostMessageW(target, alt ? kWmSysKeyDown : kWmKeyDown, virtualKey, lParam);
}

std::size_t SimWindowManager::LiveWindows() const {
  return windows_.size() - (Find(callbackHandle_) != nullptr ? 1 : 0);
}

std::u16string SimWindowManager::ClassName(WindowHandle window) const {
  const Window* found = Find(window);
  return found == nullptr ? std::u16string() : found->className;
}

WindowHandle SimWindowManager::Parent(WindowHandle window) const {
  const Window* found = Find(window);
  return found == nullptr ? 0 : found->parent;
}

}  // namespace velmoran::platform::sim
