#pragma once

// The runtime double's record of what it observed: a UTF-8 text file, one line
// per thing, each line written straight to the file as it happens so that a
// process killed midway leaves every line before it. A line is an event word
// followed by its fields, each after one TAB, ended by LF:
//
//   environment<TAB><user data folder><TAB><browser arguments>
//   environment-failed<TAB>0x80004005
//   controller<TAB>0x000200A4                 the parent window handle
//   controller-failed<TAB>0x80004004
//   subscribe<TAB>NavigationCompleted         also for the environment's events
//   unsubscribe<TAB>NavigationCompleted
//   navigate<TAB>http://localhost/www/corvale2/index.html
//   navigation-completed<TAB>1                1, or 0 and the web error status
//   navigation-completed<TAB>0<TAB>12
//   reload<TAB>http://localhost/www/corvale2/index.html   Reload, back to that address
//   process-failed<TAB>0<TAB>-1073741819       ProcessFailed raised: the kind, the exit code
//   page-message<TAB><JSON text>              the page posted it (or !unreadable, !invalid-pointer)
//   script<TAB>img_send_indx_done(1,1)        ExecuteScript's text
//   bounds<TAB>0 0 1280 984                   left top right bottom
//   visible<TAB>1                             1 or 0
//   close<TAB>0                               subscriptions still in place at Close
//   unload<TAB>0                              objects alive when the library unloads
//   scenario-error<TAB>7<TAB><reason>         line 7 of the scenario; 0 for the file itself
//
// Texts are written as they are, except that a character below U+0020 (TAB,
// CR and LF among them) is written as \uXXXX, so a line is always one record.
// The file is replaced when the transcript opens it and stays shared for
// reading and writing while it is open.

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace velmoran::runtime::doubles {

class RuntimeTranscript {
 public:
  // An empty path writes nothing; so does a file that cannot be created.
  RuntimeTranscript(platform::Files& files, std::u16string_view path);
  ~RuntimeTranscript();
  RuntimeTranscript(const RuntimeTranscript&) = delete;
  RuntimeTranscript& operator=(const RuntimeTranscript&) = delete;

  bool IsOpen() const { return file_ != platform::kInvalidHandle; }
  void Write(std::string_view event, std::initializer_list<std::u16string_view> fields = {});
  void Close();

 private:
  platform::Files& files_;
  platform::Handle file_ = platform::kInvalidHandle;
};

}  // namespace velmoran::runtime::doubles
