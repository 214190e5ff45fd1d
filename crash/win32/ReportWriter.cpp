#include "crash/win32/ReportWriter.h"

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "base/Text.h"
#include "crash/CrashReportText.h"
#include "crash/PngImage.h"
#include "crash/win32/DbgHelpLibrary.h"
#include "crash/win32/MinidumpFile.h"
#include "crash/win32/ProcessFacts.h"
#include "crash/win32/WindowPicture.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash::win32 {
namespace {

using platform::win32::AsWide;
using platform::win32::Utf16Text;

constexpr std::u16string_view kReportsFolder = u"bugreports";
constexpr int kFolderAttempts = 50;
// A step's exit code when it ended with a C++ exception.
constexpr DWORD kStepThrew = 0xE0564DFF;
constexpr std::u16string_view kUtf8ByteOrderMark = u"\uFEFF";

std::atomic<DWORD> g_stepThread{0};

std::u16string ExecutablePath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Utf16Text(path, length);
}

std::u16string FolderOf(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

std::u16string TempFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH, path);
  std::u16string folder = Utf16Text(path, length > MAX_PATH ? 0 : length);
  while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  return folder;
}

// "<parent>\bugreports\<name>", made new: an existing folder of that name
// belongs to another crash, so the name takes the next attempt's suffix.
std::u16string MakeReportFolder(const std::u16string& parent, const platform::SystemTime& time) {
  if (parent.empty()) return {};
  const std::u16string reports = parent + u"\\" + std::u16string(kReportsFolder);
  ::CreateDirectoryW(AsWide(reports), nullptr);
  for (int attempt = 1; attempt <= kFolderAttempts; ++attempt) {
    std::u16string folder = reports + u"\\" + ReportFolderName(time, attempt);
    if (::CreateDirectoryW(AsWide(folder), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

bool WriteWholeFile(const std::u16string& path, std::string_view bytes, std::u16string& error) {
  const HANDLE file =
      ::CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = u"the file could not be created (error " + DecimalText(::GetLastError()) + u")";
    return false;
  }
  bool written = true;
  while (written && !bytes.empty()) {
    DWORD done = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    written = ::WriteFile(file, bytes.data(), chunk, &done, nullptr) && done > 0;
    bytes.remove_prefix(done);
  }
  if (!written) error = u"writing failed (error " + DecimalText(::GetLastError()) + u")";
  ::CloseHandle(file);
  return written;
}

DWORD WINAPI StepMain(void* parameter) {
  try {
    (*static_cast<std::function<void()>*>(parameter))();
    return 0;
  } catch (...) {
    return kStepThrew;
  }
}

// Runs `work` on a thread of its own and waits at most `timeoutMs`; on
// failure the notes say which step failed and how.
class Steps {
 public:
  bool Run(std::u16string_view name, std::function<void()> work, DWORD timeoutMs) {
    DWORD id = 0;
    const HANDLE thread = ::CreateThread(nullptr, 0, StepMain, &work, CREATE_SUSPENDED, &id);
    if (thread == nullptr) {
      // Without a thread of its own the step runs here, unprotected: better than no report.
      return StepMain(&work) == 0;
    }
    g_stepThread = id;
    ::ResumeThread(thread);
    const DWORD waited = ::WaitForSingleObject(thread, timeoutMs);
    DWORD exitCode = 0;
    if (waited != WAIT_OBJECT_0) {
      // It may hold a lock the broken process will never give back; the process ends soon anyway.
      ::TerminateThread(thread, WAIT_TIMEOUT);
      notes.push_back(std::u16string(name) + u": gave up after " + DecimalText(timeoutMs / 1000) + u" s");
      exitCode = WAIT_TIMEOUT;
    } else if (::GetExitCodeThread(thread, &exitCode) && exitCode != 0) {
      std::u16string why =
          exitCode == kStepThrew ? std::u16string(u"a C++ exception") : u"exception 0x" + Hex8(exitCode);
      notes.push_back(std::u16string(name) + u": failed with " + why);
    }
    g_stepThread = 0;
    ::CloseHandle(thread);
    return waited == WAIT_OBJECT_0 && exitCode == 0;
  }

  void Note(std::u16string_view name, const std::u16string& why) {
    notes.push_back(std::u16string(name) + u": " + why);
  }

  std::vector<std::u16string> notes;
};

// Addresses are shown at this process's pointer width.
constexpr unsigned kAddressDigits = 2 * sizeof(void*);

std::u16string AccessDetail(const EXCEPTION_RECORD& record) {
  if (record.NumberParameters < 2) return {};
  std::u16string action;
  switch (record.ExceptionInformation[0]) {
    case 0:
      action = u"reading";
      break;
    case 1:
      action = u"writing";
      break;
    case 8:
      action = u"executing";
      break;
    default:
      action = u"using";
      break;
  }
  return action + u" address " + AddressText(record.ExceptionInformation[1], kAddressDigits);
}

platform::SystemTime TimeOf(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::string ReportFileBytes(const std::u16string& text) {
  return Utf16ToUtf8(std::u16string(kUtf8ByteOrderMark) + text);
}

}  // namespace

bool IsReportStepThread() {
  const DWORD step = g_stepThread;
  return step != 0 && step == ::GetCurrentThreadId();
}

void EndFailedStep(DWORD code) { ::ExitThread(code == 0 ? kStepThrew : code); }

BugReport WriteCrashReport(const CrashEvent& event, const CrashSources& sources) {
  BugReport report;
  Steps steps;
  CrashFacts facts;
  facts.addressDigits = kAddressDigits;
  facts.code = event.code;
  facts.caughtBy = event.caughtBy;
  facts.detail = event.detail;
  facts.threadId = event.threadId;
  facts.onUserInterfaceThread = event.onUserInterfaceThread;
  facts.time = TimeOf(event.time);
  const EXCEPTION_RECORD* record = event.exception != nullptr ? event.exception->ExceptionRecord : nullptr;
  if (record != nullptr && facts.detail.empty() &&
      (record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION ||
       record->ExceptionCode == EXCEPTION_IN_PAGE_ERROR)) {
    facts.detail = AccessDetail(*record);
  }

  const std::u16string executable = ExecutablePath();
  report.folder = MakeReportFolder(FolderOf(executable), facts.time);
  if (report.folder.empty()) {
    steps.Note(u"report folder", u"could not be made beside the executable; it is in the temporary folder");
    report.folder = MakeReportFolder(TempFolder(), facts.time);
  }
  auto fileIn = [&report](std::u16string_view name) { return report.folder + u"\\" + std::u16string(name); };

  DbgHelpLibrary dbghelp;
  std::u16string dbghelpError;
  const bool haveDbgHelp = dbghelp.Load(dbghelpError);
  if (!haveDbgHelp) {
    steps.Note(kMinidumpFileName, u"not written: " + dbghelpError);
  } else if (report.folder.empty()) {
    steps.Note(u"minidump.dmp", u"not written: no report folder could be made");
  } else {
    std::u16string error;
    if (steps.Run(
            kMinidumpFileName,
            [&] {
              error = WriteMinidump(dbghelp, fileIn(kMinidumpFileName), event.threadId, event.exception);
            },
            60000) &&
        !error.empty()) {
      steps.Note(kMinidumpFileName, error);
    }
  }

  if (event.exception != nullptr && event.exception->ContextRecord != nullptr) {
    WalkedStack stack;
    std::optional<CodeLocation> where;
    const CONTEXT context = *event.exception->ContextRecord;
    if (steps.Run(
            u"call stack",
            [&] {
              stack = WalkStack(haveDbgHelp ? &dbghelp : nullptr, event.thread, context, event.stack);
              if (record != nullptr) {
                where = LocateCode(reinterpret_cast<std::uintptr_t>(record->ExceptionAddress),
                                   haveDbgHelp ? &dbghelp : nullptr);
              }
            },
            30000)) {
      facts.stack = std::move(stack.frames);
      facts.stackMethod = std::move(stack.method);
      facts.where = std::move(where);
    }
  }
  std::vector<ModuleFacts> modules;
  if (steps.Run(
          u"module list", [&] { modules = LoadedModules(); }, 15000))
    facts.modules = std::move(modules);
  std::u16string executableVersion;
  std::u16string windowsVersion;
  std::optional<std::uint64_t> upTime;
  if (steps.Run(
          u"versions",
          [&] {
            executableVersion = FileVersion(executable);
            windowsVersion = WindowsVersion();
            upTime = UpTimeMilliseconds();
          },
          5000)) {
    facts.executablePath = executable;
    facts.executableVersion = std::move(executableVersion);
    facts.windowsVersion = std::move(windowsVersion);
    facts.upTimeMilliseconds = upTime;
  }
  std::u16string runtimeVersion;
  if (sources.runtimeVersion &&
      steps.Run(
          u"browser runtime version", [&] { runtimeVersion = sources.runtimeVersion(); }, 5000)) {
    facts.runtimeVersion = std::move(runtimeVersion);
  }
  std::vector<std::u16string> logLines;
  if (!sources.logLines) {
    steps.Note(u"activity log", u"the shell gave no log");
  } else if (steps.Run(
                 u"activity log", [&] { logLines = sources.logLines(); }, 5000)) {
    facts.logLines = std::move(logLines);
  }

  // The picture is taken now, before anything else is drawn, but written after the report.
  Screenshot picture;
  std::uintptr_t mainWindow = 0;
  if (sources.mainWindow)
    steps.Run(
        u"main window", [&] { mainWindow = sources.mainWindow(); }, 5000);
  std::u16string pictureError;
  const bool pictured = steps.Run(
      u"screenshot",
      [&] { picture = CaptureWindowPicture(reinterpret_cast<HWND>(mainWindow), pictureError); }, 10000);

  auto writeReport = [&] {
    facts.notes = steps.notes;
    std::u16string text;
    std::u16string error;
    if (steps.Run(
            u"report text", [&] { text = ComposeCrashReport(facts); }, 10000))
      report.reportText = text;
    if (report.reportText.empty()) {
      report.reportText = u"velmoran crash report\r\n\r\nException:         0x" + Hex8(event.code) +
                          u"\r\n\r\nThe rest of the report could not be composed.\r\n";
    }
    if (!report.folder.empty() &&
        !WriteWholeFile(fileIn(kReportFileName), ReportFileBytes(report.reportText), error)) {
      steps.Note(kReportFileName, error);
    }
  };
  writeReport();

  if (pictured && !pictureError.empty()) steps.Note(kScreenshotFileName, u"no picture: " + pictureError);
  if (pictured && !picture.empty() && !report.folder.empty()) {
    std::u16string error;
    if (steps.Run(
            kScreenshotFileName,
            [&] {
              if (!WriteWholeFile(fileIn(kScreenshotFileName), EncodePng(picture), error))
                steps.Note(kScreenshotFileName, error);
            },
            20000)) {
      report.screenshot = std::move(picture);
    }
  }
  // What went wrong with the picture belongs in the report too.
  if (steps.notes.size() != facts.notes.size()) writeReport();
  return report;
}

}  // namespace velmoran::crash::win32
