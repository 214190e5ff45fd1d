#include "crash/win32/StackWalk.h"

#include "crash/win32/ProcessFacts.h"
#include "crash/win32/ThreadContext.h"

namespace velmoran::crash::win32 {
namespace {

constexpr std::size_t kMaxFrames = 64;

std::vector<std::uint64_t> WalkWithDbgHelp(DbgHelpLibrary& dbghelp, HANDLE thread, const CONTEXT& context) {
  std::vector<std::uint64_t> addresses;
  if (dbghelp.stackWalk64 == nullptr || dbghelp.symFunctionTableAccess64 == nullptr ||
      dbghelp.symGetModuleBase64 == nullptr || !dbghelp.InitializeSymbols()) {
    return addresses;
  }
  CONTEXT walked = context;  // StackWalk64 updates it frame by frame
  STACKFRAME64 frame{};
  frame.AddrPC.Offset = InstructionPointer(context);
  frame.AddrPC.Mode = AddrModeFlat;
  frame.AddrFrame.Offset = FramePointer(context);
  frame.AddrFrame.Mode = AddrModeFlat;
  frame.AddrStack.Offset = StackPointer(context);
  frame.AddrStack.Mode = AddrModeFlat;
  while (addresses.size() < kMaxFrames &&
         dbghelp.stackWalk64(kImageMachine, ::GetCurrentProcess(), thread, &frame, &walked, nullptr,
                             dbghelp.symFunctionTableAccess64, dbghelp.symGetModuleBase64, nullptr)) {
    if (frame.AddrPC.Offset == 0) break;
    addresses.push_back(frame.AddrPC.Offset);
  }
  return addresses;
}

bool InsideStack(std::uint64_t address, std::size_t size, StackBounds bounds) {
  return address >= bounds.low && address <= bounds.high && bounds.high - address >= size;
}

#if defined(_M_X64) || defined(__x86_64__)

constexpr char16_t kOwnWalkMethod[] = u"function tables";

// x64 code keeps no frame pointer chain: every function that is not a leaf
// has unwind information in its module's function table, which the system's
// unwinder follows to the caller's registers. A leaf function has none; its
// return address is on top of the stack.
std::vector<std::uint64_t> WalkOwnWay(const CONTEXT& context, StackBounds bounds) {
  std::vector<std::uint64_t> addresses;
  CONTEXT walked = context;
  while (addresses.size() < kMaxFrames && walked.Rip != 0) {
    addresses.push_back(walked.Rip);
    DWORD64 imageBase = 0;
    PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(walked.Rip, &imageBase, nullptr);
    const DWORD64 stackBefore = walked.Rsp;
    if (function == nullptr) {
      if (!InsideStack(walked.Rsp, sizeof(DWORD64), bounds)) break;
      walked.Rip = *reinterpret_cast<const DWORD64*>(walked.Rsp);
      walked.Rsp += sizeof(DWORD64);
    } else {
      void* handlerData = nullptr;
      DWORD64 establisherFrame = 0;
      ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, walked.Rip, function, &walked, &handlerData,
                         &establisherFrame, nullptr);
    }
    // Each caller's frame lies above its callee's; anything else is a broken stack.
    if (walked.Rsp <= stackBefore || !InsideStack(walked.Rsp, 0, bounds)) break;
  }
  return addresses;
}

#else

constexpr char16_t kOwnWalkMethod[] = u"saved frame pointers";

// Each frame of a function with a frame pointer starts with the caller's
// frame pointer and its return address; the chain only ever goes up the stack.
std::vector<std::uint64_t> WalkOwnWay(const CONTEXT& context, StackBounds bounds) {
  std::vector<std::uint64_t> addresses{InstructionPointer(context)};
  std::uintptr_t frame = FramePointer(context);
  while (addresses.size() < kMaxFrames && frame % sizeof(std::uintptr_t) == 0 &&
         InsideStack(frame, 2 * sizeof(std::uintptr_t), bounds)) {
    const auto* slots = reinterpret_cast<const std::uintptr_t*>(frame);
    const std::uintptr_t returnAddress = slots[1];
    if (returnAddress == 0) break;
    addresses.push_back(returnAddress);
    if (slots[0] <= frame) break;
    frame = slots[0];
  }
  return addresses;
}

#endif

}  // namespace

WalkedStack WalkStack(DbgHelpLibrary* dbghelp, HANDLE thread, const CONTEXT& context, StackBounds bounds) {
  WalkedStack stack;
  std::vector<std::uint64_t> addresses;
  if (dbghelp != nullptr) addresses = WalkWithDbgHelp(*dbghelp, thread, context);
  if (addresses.size() > 1) {
    stack.method = u"StackWalk64";
  } else {
    addresses = WalkOwnWay(context, bounds);
    stack.method = kOwnWalkMethod;
  }
  for (const std::uint64_t address : addresses) stack.frames.push_back(LocateCode(address, dbghelp));
  return stack;
}

}  // namespace velmoran::crash::win32
