// A process for the contract tests to find in the system's process list. It
// is copied under whatever image name a case needs and started with the
// handle of its parent, which it waits for, so it never outlives the test
// program (and never runs longer than a minute).
#include <windows.h>

#include <cstdint>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const auto parent =
      reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::strtoull(argv[1], nullptr, 10)));
  WaitForSingleObject(parent, 60000);
  return 0;
}
