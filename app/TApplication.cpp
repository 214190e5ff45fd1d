#include "app/TApplication.h"

namespace velmoran::app {

using namespace platform;

TApplication::TApplication(platform::Platform& platform) : FPlatform(platform) {
  FOleInitialized = FPlatform.com().OleInitialize() >= 0;
}

TApplication::~TApplication() {
  DestroyForms();
  if (FOleInitialized) FPlatform.com().OleUninitialize();
}

std::int32_t TApplication::Run() {
  if (!FMainForm) return 0;
  FMainForm->Show();
  WindowManager& windows = FPlatform.windows();
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
  if (!FMainForm) return;
  FMainForm.reset();
  if (FClearMainFormReference) FClearMainFormReference();
  FClearMainFormReference = nullptr;
}

}  // namespace velmoran::app
