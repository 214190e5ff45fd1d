#include "crash/CrashReportText.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/Text.h"

namespace velmoran::crash {
namespace {

struct NamedCode {
  std::uint32_t code;
  std::u16string_view name;
};

constexpr std::array<NamedCode, 29> kCodeNames = {{
    {0x80000001, u"EXCEPTION_GUARD_PAGE"},
    {0x80000002, u"EXCEPTION_DATATYPE_MISALIGNMENT"},
    {0x80000003, u"EXCEPTION_BREAKPOINT"},
    {0x80000004, u"EXCEPTION_SINGLE_STEP"},
    {0xC0000005, u"EXCEPTION_ACCESS_VIOLATION"},
    {0xC0000006, u"EXCEPTION_IN_PAGE_ERROR"},
    {0xC0000008, u"EXCEPTION_INVALID_HANDLE"},
    {0xC000001D, u"EXCEPTION_ILLEGAL_INSTRUCTION"},
    {0xC0000025, u"EXCEPTION_NONCONTINUABLE_EXCEPTION"},
    {0xC0000026, u"EXCEPTION_INVALID_DISPOSITION"},
    {0xC000008C, u"EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, u"EXCEPTION_FLT_DENORMAL_OPERAND"},
    {0xC000008E, u"EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, u"EXCEPTION_FLT_INEXACT_RESULT"},
    {0xC0000090, u"EXCEPTION_FLT_INVALID_OPERATION"},
    {0xC0000091, u"EXCEPTION_FLT_OVERFLOW"},
    {0xC0000092, u"EXCEPTION_FLT_STACK_CHECK"},
    {0xC0000093, u"EXCEPTION_FLT_UNDERFLOW"},
    {0xC0000094, u"EXCEPTION_INT_DIVIDE_BY_ZERO"},
    {0xC0000095, u"EXCEPTION_INT_OVERFLOW"},
    {0xC0000096, u"EXCEPTION_PRIV_INSTRUCTION"},
    {0xC00000FD, u"EXCEPTION_STACK_OVERFLOW"},
    {0xC0000374, u"STATUS_HEAP_CORRUPTION"},
    {0xC0000409, u"STATUS_STACK_BUFFER_OVERRUN"},
    {kInvalidParameterCode, u"STATUS_INVALID_CRUNTIME_PARAMETER"},
    {kTerminateCode, u"std::terminate"},
    {kEscapedExceptionCode, u"C++ exception out of a window procedure"},
    {kPureCallCode, u"pure virtual function call"},
    {0xE06D7363, u"C++ exception raised as a structured exception"},
}};

constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kUnknown = u"unknown";

std::u16string OrUnknown(const std::u16string& text) {
  return text.empty() ? std::u16string(kUnknown) : text;
}

std::u16string TwoDigits(unsigned value) {
  return std::u16string{static_cast<char16_t>(u'0' + value / 10 % 10),
                        static_cast<char16_t>(u'0' + value % 10)};
}

std::u16string DateTimeText(const platform::SystemTime& t, char16_t dateTimeSeparator,
                            char16_t timeSeparator) {
  std::u16string text = DecimalText(t.year) + u"-" + TwoDigits(t.month) + u"-" + TwoDigits(t.day);
  text.push_back(dateTimeSeparator);
  text += TwoDigits(t.hour) + timeSeparator + TwoDigits(t.minute) + timeSeparator + TwoDigits(t.second);
  return text;
}

std::u16string UpTimeText(std::uint64_t milliseconds) {
  const std::uint64_t seconds = milliseconds / 1000;
  std::u16string text = DecimalText(static_cast<std::int64_t>(seconds / 3600)) + u":" +
                        TwoDigits(static_cast<unsigned>(seconds / 60 % 60)) + u":" +
                        TwoDigits(static_cast<unsigned>(seconds % 60)) + u".";
  const auto millis = static_cast<unsigned>(milliseconds % 1000);
  text.push_back(static_cast<char16_t>(u'0' + millis / 100));
  return text + TwoDigits(millis % 100);
}

class Writer {
 public:
  void Line(std::u16string_view text = {}) {
    text_ += text;
    text_ += kLineEnd;
  }
  void Field(std::u16string_view label, std::u16string_view value) {
    std::u16string line(label);
    line += u":";
    // Values line up after the longest label ("Executable version:").
    line.append(label.size() < 20 ? 20 - label.size() : 1, u' ');
    line += value;
    Line(line);
  }
  void Heading(std::u16string_view title) {
    Line();
    Line(title);
  }
  std::u16string Take() { return std::move(text_); }

 private:
  std::u16string text_;
};

}  // namespace

std::u16string ExceptionCodeName(std::uint32_t code) {
  for (const NamedCode& named : kCodeNames) {
    if (named.code == code) return std::u16string(named.name);
  }
  return {};
}

std::u16string AddressText(std::uint64_t address, unsigned digits) {
  std::u16string text = u"0x";
  if (address > 0xFFFFFFFFu || digits > 8) text += Hex8(static_cast<std::uint32_t>(address >> 32));
  return text + Hex8(static_cast<std::uint32_t>(address));
}

std::u16string LocationText(const CodeLocation& location, unsigned addressDigits) {
  std::u16string text;
  if (location.module.empty()) {
    text = AddressText(location.address, addressDigits);
  } else {
    text = location.module + u"+" + AddressText(location.offset);
  }
  if (!location.symbol.empty()) text += u" " + location.symbol;
  return text;
}

std::u16string ComposeCrashReport(const CrashFacts& facts) {
  Writer out;
  out.Line(u"velmoran crash report");
  out.Line();
  std::u16string code = u"0x" + Hex8(facts.code);
  if (const std::u16string name = ExceptionCodeName(facts.code); !name.empty()) code += u" " + name;
  out.Field(u"Exception", code);
  out.Field(u"Caught by", OrUnknown(facts.caughtBy));
  if (!facts.detail.empty()) out.Field(u"Detail", facts.detail);
  out.Field(u"Address", facts.where ? AddressText(facts.where->address, facts.addressDigits) + u" " +
                                          LocationText(*facts.where, facts.addressDigits)
                                    : std::u16string(kUnknown));
  out.Field(u"Thread",
            DecimalText(facts.threadId) +
                (facts.onUserInterfaceThread ? u" (user-interface thread)" : u" (another thread)"));
  out.Field(u"Time", DateTimeText(facts.time, u' ', u':'));
  out.Field(u"Up time",
            facts.upTimeMilliseconds ? UpTimeText(*facts.upTimeMilliseconds) : std::u16string(kUnknown));

  out.Heading(u"Versions");
  out.Field(u"Executable", OrUnknown(facts.executablePath));
  out.Field(u"Executable version", OrUnknown(facts.executableVersion));
  out.Field(u"Windows", OrUnknown(facts.windowsVersion));
  out.Field(u"Browser runtime", OrUnknown(facts.runtimeVersion));

  out.Heading(u"Call stack of the failing thread" +
              (facts.stackMethod.empty() ? std::u16string() : u" (" + facts.stackMethod + u")"));
  if (facts.stack.empty()) out.Line(u"  none could be walked");
  for (std::size_t i = 0; i < facts.stack.size(); ++i) {
    const CodeLocation& frame = facts.stack[i];
    out.Line(u"  #" + DecimalText(static_cast<std::int64_t>(i)) + u"  " +
             AddressText(frame.address, facts.addressDigits) + u"  " +
             LocationText(frame, facts.addressDigits));
  }

  out.Heading(u"Loaded modules (base, size, file version, path)");
  if (facts.modules.empty()) out.Line(u"  none could be listed");
  for (const ModuleFacts& module : facts.modules) {
    out.Line(u"  " + AddressText(module.base, facts.addressDigits) + u"  " + u"0x" + Hex8(module.size) +
             u"  " + (module.version.empty() ? u"-" : module.version) + u"  " + module.path);
  }

  const std::size_t shown = std::min(facts.logLines.size(), kReportLogLines);
  out.Heading(u"Activity log, last " + DecimalText(static_cast<std::int64_t>(shown)) + u" lines");
  for (std::size_t i = facts.logLines.size() - shown; i < facts.logLines.size(); ++i) {
    out.Line(u"  " + facts.logLines[i]);
  }

  if (!facts.notes.empty()) {
    out.Heading(u"Notes on this report");
    for (const std::u16string& note : facts.notes) out.Line(u"  " + note);
  }
  return out.Take();
}

std::u16string ReportFolderName(const platform::SystemTime& time, int attempt) {
  std::u16string name = DateTimeText(time, u'_', u'-');
  if (attempt > 1) {
    name.push_back(u'_');
    name += DecimalText(attempt);
  }
  return name;
}

}  // namespace velmoran::crash
