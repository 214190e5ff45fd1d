#include "app/TApplication.h"

namespace velmoran::app {

using namespace platform;

TApplication::TApplication(platform::Platform& platform) : platform_(platform) {
  oleInitialized_ = platform_.com().OleInitialize() >= 0;
}

TApplication::~TApplication() {
  DestroyForms();
  if (oleInitialized_) platform_.com().OleUninitialize();
}

std::int32_t TApplication::Run() {
  if (!mainForm_) return 0;
  mainForm_->Show();
  WindowManager& windows = platform_.windows();
  Message message;
  for (;;) {
    const std::int32_t result = windows.GetMessageW(message, 0, 0, 0);
    if (result == 0) return static_cast<std::int32_t>(message.wParam);
    if (result < 0) return -1;
    windows.TranslateMessage(message);
    windows.DispatchMessageW(message);
  }
}

void TApplication::DestroyForms() {
  if (!mainForm_) return;
  mainForm_.reset();
  if (clearMainFormReference_) clearMainFormReference_();
  clearMainFormReference_ = nullptr;
}

}  // namespace velmoran::app
