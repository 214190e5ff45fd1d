#pragma once

// A long day at the clinic as the page would post it: thousands of mixed
// messages (captures of 50-500 KB across many members and days, image
// queries, four-image checks, broken messages), built deterministically from
// a seed and written one message per line in the replay tool's input format,
// which is also the runtime double's message format. What the capture root
// must hold afterwards is known without keeping a single image in memory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace velmoran::test {

struct SoakPlan {
  std::size_t messages = 10000;
  std::uint32_t seed = 1;
  std::size_t smallestImage = std::size_t{50} * 1024;
  std::size_t largestImage = std::size_t{500} * 1024;
  std::size_t members = 40;
  std::size_t days = 5;
};

// A capture file as it must stand at the end: the last content written to it.
struct SoakFile {
  std::uint64_t size = 0;
  std::uint32_t crc = 0;

  friend bool operator==(const SoakFile&, const SoakFile&) = default;
};

struct SoakOutcome {
  // Paths below the capture root with "/" between levels ("M007/2026-12-03/2.png").
  std::map<std::string, SoakFile> files;
  std::size_t captures = 0;
  std::size_t queries = 0;
  std::size_t checks = 0;
  std::size_t others = 0;  // capture messages of another mode than saving
  std::size_t broken = 0;
  std::uint64_t bytes = 0;  // the messages' UTF-8 text, line breaks included
};

// Writes the plan's messages to `out`, one per line, and tells what they leave
// on disk. Needs no more memory than the largest message.
SoakOutcome WriteSoakMessages(const SoakPlan& plan, std::FILE* out);

}  // namespace velmoran::test
