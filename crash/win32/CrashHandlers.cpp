#include "crash/win32/CrashHandlers.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

#include "base/Text.h"
#include "crash/CrashReportText.h"
#include "crash/win32/BugReportWindow.h"
#include "crash/win32/CrashEvent.h"
#include "crash/win32/KeepFramePointer.h"
#include "crash/win32/ReportWriter.h"
#include "crash/win32/ThreadContext.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32WindowManager.h"

namespace velmoran::crash::win32 {
namespace {

using platform::win32::AsWide;
using platform::win32::Utf16Text;

// Set once by InstallCrashHandlers, read by whichever thread crashes.
CrashSources g_sources;
DWORD g_userInterfaceThread = 0;
std::u16string g_executablePath;
std::u16string g_workingFolder;

// The thread whose crash is being reported, 0 before the first crash.
std::atomic<DWORD> g_crashedThread{0};
// The thread that writes the report and shows the window.
std::atomic<DWORD> g_reporterThread{0};
DWORD g_firstCode = 0;
CrashEvent g_event;

// Stack kept back for the handlers when the installing thread's stack overflows.
constexpr ULONG kStackOverflowReserve = 64 * 1024;

std::u16string ExceptionText(const std::exception_ptr& exception) {
  if (!exception) return {};
  try {
    std::rethrow_exception(exception);
  } catch (const std::exception& e) {
    return u"C++ exception: " + Utf8ToUtf16(e.what());
  } catch (...) {
    return u"a C++ exception that is not a std::exception";
  }
}

[[noreturn]] void EndProcess(DWORD code) {
  // No ExitProcess: library teardown and static destructors would run in the broken process.
  ::TerminateProcess(::GetCurrentProcess(), code);
  for (;;) ::Sleep(INFINITE);
}

void StartAgain() {
  const std::wstring commandLine = L"\"" + std::wstring(AsWide(g_executablePath)) + L"\"";
  std::wstring mutableLine = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (::CreateProcessW(AsWide(g_executablePath), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       g_workingFolder.empty() ? nullptr : AsWide(g_workingFolder), &startup, &process)) {
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
}

// The reporter's own thread: a fresh stack (the crashed one may have
// overflowed) and a message queue of its own, so the bug-report window's
// loop never delivers messages to the crashed thread's windows.
DWORD WINAPI ReporterMain(void* /*unused*/) {
  const BugReport report = WriteCrashReport(g_event, g_sources);
  // The window may open the system's file dialogs, which want COM on their thread.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const BugReportChoice choice = ShowBugReportWindow(report);
  if (SUCCEEDED(com)) ::CoUninitialize();
  if (choice == BugReportChoice::kRestart) StartAgain();
  EndProcess(g_event.code);
}

// Returns on the first crash only. A crash of a report step ends that step;
// one of the crashed thread again or of the reporter (reporting itself broke)
// ends the process with the first crash's code; any other thread that
// crashes meanwhile waits for the end.
void ClaimReport(DWORD code) {
  if (IsReportStepThread()) EndFailedStep(code);
  const DWORD self = ::GetCurrentThreadId();
  DWORD expected = 0;
  if (!g_crashedThread.compare_exchange_strong(expected, self)) {
    if (expected == self || self == g_reporterThread) EndProcess(g_firstCode);
    for (;;) ::Sleep(INFINITE);
  }
  g_firstCode = code;
}

// The claimed crash, reported from a thread of its own while this one waits.
[[noreturn]] void ReportClaimedCrash(DWORD code, EXCEPTION_POINTERS* exception, const char16_t* caughtBy,
                                     std::u16string detail) {
  const DWORD self = ::GetCurrentThreadId();
  g_event.code = code;
  g_event.exception = exception;
  g_event.caughtBy = caughtBy;
  g_event.detail = std::move(detail);
  g_event.threadId = self;
  g_event.onUserInterfaceThread = self == g_userInterfaceThread;
  ::GetLocalTime(&g_event.time);
  // The stack's reservation starts at the allocation base; the committed
  // region holding this frame reaches up to the stack's top.
  MEMORY_BASIC_INFORMATION region{};
  if (::VirtualQuery(&region, &region, sizeof(region)) == sizeof(region)) {
    g_event.stack.low = reinterpret_cast<std::uintptr_t>(region.AllocationBase);
    g_event.stack.high = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &g_event.thread, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);

  DWORD reporterId = 0;
  const HANDLE reporter = ::CreateThread(nullptr, 0, ReporterMain, nullptr, CREATE_SUSPENDED, &reporterId);
  if (reporter == nullptr) {
    g_reporterThread = self;
    ReporterMain(nullptr);
  }
  g_reporterThread = reporterId;
  ::ResumeThread(reporter);
  // The reporter ends the process; this thread keeps its stack as it was for the walk and the dump.
  ::WaitForSingleObject(reporter, INFINITE);
  EndProcess(g_firstCode);
}

[[noreturn]] void HandleCrash(DWORD code, EXCEPTION_POINTERS* exception, const char16_t* caughtBy,
                              std::u16string detail) {
  ClaimReport(code);
  ReportClaimedCrash(code, exception, caughtBy, std::move(detail));
}

// On x86, RtlCaptureContext takes its caller's registers from the caller's
// frame through EBP, so the caller must keep a frame pointer, which the
// optimised build otherwise leaves out. The context is this function's own,
// and the walk goes up from here.
[[gnu::noinline, VELMORAN_KEEP_FRAME_POINTER]] void CaptureCallerContext(CONTEXT& context) {
  ::RtlCaptureContext(&context);
}

// For the handlers that get no exception record: one made here, with this
// thread's context, so the dump and the stack walk see where it happened.
[[noreturn]] void HandleCrashHere(DWORD code, const char16_t* caughtBy, std::u16string detail) {
  // Only the first crash gets this far, so one record serves.
  ClaimReport(code);
  static CONTEXT context;
  static EXCEPTION_RECORD record;
  static EXCEPTION_POINTERS pointers;
  context = CONTEXT{};
  context.ContextFlags = CONTEXT_FULL;
  CaptureCallerContext(context);
  record = EXCEPTION_RECORD{};
  record.ExceptionCode = code;
  record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
  record.ExceptionAddress = reinterpret_cast<void*>(static_cast<std::uintptr_t>(InstructionPointer(context)));
  pointers = EXCEPTION_POINTERS{&record, &context};
  ReportClaimedCrash(code, &pointers, caughtBy, std::move(detail));
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  HandleCrash(exception->ExceptionRecord->ExceptionCode, exception, u"unhandled structured exception", {});
}

void OnTerminate() {
  HandleCrashHere(kTerminateCode, u"std::terminate", ExceptionText(std::current_exception()));
}

void OnEscapedException() {
  HandleCrashHere(kEscapedExceptionCode, u"window procedure", ExceptionText(std::current_exception()));
}

void __cdecl OnInvalidParameter(const wchar_t* expression, const wchar_t* function, const wchar_t* /*file*/,
                                unsigned /*line*/, std::uintptr_t /*reserved*/) {
  std::u16string detail;
  if (function != nullptr) detail = u"in " + Utf16Text(function);
  if (expression != nullptr) detail += (detail.empty() ? u"" : u": ") + Utf16Text(expression);
  HandleCrashHere(kInvalidParameterCode, u"C runtime invalid-parameter handler", std::move(detail));
}

void __cdecl OnPureCall() { HandleCrashHere(kPureCallCode, u"C runtime pure-call handler", {}); }

// The toolchain's C runtime library may answer these two calls with an
// emulation of its own that the C runtime DLL never consults; the DLL's own
// exports, where it has them, set the handlers it calls.
void InstallRuntimeLibraryHandlers() {
  _set_invalid_parameter_handler(OnInvalidParameter);
  _set_purecall_handler(OnPureCall);
  for (const wchar_t* library : {L"msvcrt.dll", L"ucrtbase.dll"}) {
    const HMODULE module = ::GetModuleHandleW(library);
    if (module == nullptr) continue;
    const auto setInvalidParameter = reinterpret_cast<decltype(&_set_invalid_parameter_handler)>(
        reinterpret_cast<void*>(::GetProcAddress(module, "_set_invalid_parameter_handler")));
    const auto setPureCall = reinterpret_cast<decltype(&_set_purecall_handler)>(
        reinterpret_cast<void*>(::GetProcAddress(module, "_set_purecall_handler")));
    if (setInvalidParameter != nullptr) setInvalidParameter(OnInvalidParameter);
    if (setPureCall != nullptr) setPureCall(OnPureCall);
  }
}

// On 64-bit Windows, an exception in a window procedure of a 32-bit program
// may be swallowed where the kernel calls back into user mode; the process
// then runs on in a broken state instead of reaching the filter. The policy
// call exists from Windows 7 SP1 on; elsewhere nothing is swallowed.
void StopSwallowingCallbackExceptions() {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  using GetPolicy = BOOL(WINAPI*)(DWORD*);
  using SetPolicy = BOOL(WINAPI*)(DWORD);
  const auto get = reinterpret_cast<GetPolicy>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "GetProcessUserModeExceptionPolicy")));
  const auto set = reinterpret_cast<SetPolicy>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetProcessUserModeExceptionPolicy")));
  constexpr DWORD kCallbackFilterEnabled = 0x1;
  DWORD flags = 0;
  if (get != nullptr && set != nullptr && get(&flags)) set(flags & ~kCallbackFilterEnabled);
}

}  // namespace

void InstallCrashHandlers(CrashSources sources) {
  g_sources = std::move(sources);
  g_userInterfaceThread = ::GetCurrentThreadId();
  wchar_t path[MAX_PATH + 1] = {};
  g_executablePath = Utf16Text(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, path);
  g_workingFolder = length > 0 && length <= MAX_PATH ? Utf16Text(path, length) : std::u16string();

  // A stack overflow is reported on what is left of the overflowed stack.
  // The system's exception dispatch alone takes more of it on x64 than the
  // default reserve holds (Wine then ends the process without a word), so
  // the thread that runs the shell keeps a larger reserve for its handlers.
  ULONG stackReserve = kStackOverflowReserve;
  ::SetThreadStackGuarantee(&stackReserve);
  ::SetUnhandledExceptionFilter(OnUnhandledException);
  std::set_terminate(OnTerminate);
  InstallRuntimeLibraryHandlers();
  platform::win32::SetEscapedExceptionHandler(OnEscapedException);
  StopSwallowingCallbackExceptions();
}

}  // namespace velmoran::crash::win32
