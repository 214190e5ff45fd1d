#pragma once

// The text of report.txt: what was gathered about a crash, in, and the text
// a person reads (and the bug-report window shows), out. Gathering is the
// Windows side's job (crash/win32/); a fact that could not be gathered stays
// empty and the text says "unknown", and why a step failed goes to the notes,
// so a report is still written when half of its facts are missing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace velmoran::crash {

// The report keeps the log's newest lines, enough to show what the shell was doing.
inline constexpr std::size_t kReportLogLines = 60;

struct CodeLocation {
  std::uint64_t address = 0;
  std::u16string module;     // file name of the module it falls in; empty when none
  std::uint64_t offset = 0;  // from the module's base
  std::u16string symbol;     // the function, when the debug information names one
};

struct ModuleFacts {
  std::u16string path;
  std::uint64_t base = 0;
  std::uint32_t size = 0;
  std::u16string version;  // the file version, "1.2.3.4"; empty without a version resource
};

struct CrashFacts {
  // The crashed process's pointer width: addresses are shown with eight
  // hexadecimal digits for a 32-bit process and sixteen for a 64-bit one.
  unsigned addressDigits = 8;
  std::uint32_t code = 0;   // the exception code, also the process's exit code
  std::u16string caughtBy;  // which of the handlers caught it
  std::u16string detail;    // what else the exception tells (the address read, the C++ exception's text)
  std::optional<CodeLocation> where;
  std::uint32_t threadId = 0;
  bool onUserInterfaceThread = false;
  platform::SystemTime time;  // local time of the crash
  std::optional<std::uint64_t> upTimeMilliseconds;
  std::u16string executablePath;
  std::u16string executableVersion;
  std::u16string windowsVersion;
  std::u16string runtimeVersion;
  std::u16string stackMethod;  // how the stack was walked
  std::vector<CodeLocation> stack;
  std::vector<ModuleFacts> modules;
  std::vector<std::u16string> logLines;  // oldest first
  std::vector<std::u16string> notes;     // steps of the report that failed or were left out
};

// The name Windows' headers give an exception code ("EXCEPTION_ACCESS_VIOLATION"),
// or the name of one of the shell's own codes below; empty when unknown.
std::u16string ExceptionCodeName(std::uint32_t code);

// Codes of the shell's own for what ends the process without a structured
// exception: 0xE0 marks a code of an application, "VM" the shell.
inline constexpr std::uint32_t kTerminateCode = 0xE0564D01;  // std::terminate
inline constexpr std::uint32_t kEscapedExceptionCode =
    0xE0564D02;                                             // a C++ exception out of a window procedure
inline constexpr std::uint32_t kPureCallCode = 0xE0564D03;  // the C runtime's pure-call handler
// The C runtime's invalid-parameter handler ends with Windows' own code for it.
inline constexpr std::uint32_t kInvalidParameterCode = 0xC0000417;  // STATUS_INVALID_CRUNTIME_PARAMETER

// "velmoran.exe+0x00012345 Symbol", or the bare address outside every module.
// "0x" and at least `digits` hexadecimal digits (8 or 16), sixteen for an
// address beyond 32 bits.
std::u16string AddressText(std::uint64_t address, unsigned digits = 8);

std::u16string LocationText(const CodeLocation& location, unsigned addressDigits = 8);

// The report, lines ending in CR LF.
std::u16string ComposeCrashReport(const CrashFacts& facts);

// The report folder's name for a crash at `time`: "2026-04-28_09-05-07", and
// "2026-04-28_09-05-07_2", "_3"... for the second, third attempt when a folder
// of that name exists already (two crashes in one second, a restarted shell
// that crashes at once).
std::u16string ReportFolderName(const platform::SystemTime& time, int attempt);

}  // namespace velmoran::crash
