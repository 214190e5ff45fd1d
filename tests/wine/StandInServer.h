#pragma once

// The web server as the shell finds it at "C:\xampp\apache\bin\httpd.exe":
// the stand-in httpd.exe placed there or not, started by the test or not.
// Whatever stand-in runs when the object goes, whoever started it, is closed
// and waited for.

#include <windows.h>

#include <cstddef>

namespace velmoran::test {

class StandInServer {
 public:
  enum class State { Missing, Stopped, Running };

  explicit StandInServer(State state);
  ~StandInServer();
  StandInServer(const StandInServer&) = delete;
  StandInServer& operator=(const StandInServer&) = delete;

  // Stand-ins running now, found by their hidden window.
  static std::size_t Running();
  // Closes every running stand-in and waits until their processes are gone.
  static bool StopAll();
};

}  // namespace velmoran::test
