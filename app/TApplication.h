#pragma once

// The application object: OLE for the thread from construction to the end,
// the title, the main window and the message loop.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/TForm.h"
#include "platform/Platform.h"

namespace velmoran::app {

class TApplication {
 public:
  explicit TApplication(platform::Platform& platform);
  // Destroys a main window still there, then ends OLE.
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  void Initialize() {}
  const std::u16string& Title() const { return FTitle; }
  void SetTitle(std::u16string title) { FTitle = std::move(title); }

  // Builds the form, stores it in `reference` before its creation step runs,
  // and makes the first form created the main window.
  template <typename TFormClass>
  void CreateForm(TFormClass*& reference) {
    auto form = std::make_unique<TFormClass>(*this);
    reference = form.get();
    TForm* created = form.get();
    if (!FMainForm) {
      FMainForm = std::move(form);
      FClearMainFormReference = [&reference] { reference = nullptr; };
    }
    created->Create();
  }

  // Shows the main window and handles messages until the quit message;
  // answers its exit code (-1 when the queue failed).
  std::int32_t Run();
  // Destroys the main window and everything on it.
  void DestroyForms();

  TForm* MainForm() const { return FMainForm.get(); }
  platform::Platform& Platform() const { return FPlatform; }

 private:
  platform::Platform& FPlatform;
  bool FOleInitialized = false;
  std::u16string FTitle;
  std::unique_ptr<TForm> FMainForm;
  std::function<void()> FClearMainFormReference;
};

}  // namespace velmoran::app
