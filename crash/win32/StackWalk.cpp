#include "crash/win32/StackWalk.h"

#include "crash/win32/ProcessFacts.h"

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
  frame.AddrPC.Offset = context.Eip;
  frame.AddrPC.Mode = AddrModeFlat;
  frame.AddrFrame.Offset = context.Ebp;
  frame.AddrFrame.Mode = AddrModeFlat;
  frame.AddrStack.Offset = context.Esp;
  frame.AddrStack.Mode = AddrModeFlat;
  while (addresses.size() < kMaxFrames &&
         dbghelp.stackWalk64(IMAGE_FILE_MACHINE_I386, ::GetCurrentProcess(), thread, &frame, &walked, nullptr,
                             dbghelp.symFunctionTableAccess64, dbghelp.symGetModuleBase64, nullptr)) {
    if (frame.AddrPC.Offset == 0) break;
    addresses.push_back(frame.AddrPC.Offset);
  }
  return addresses;
}

// Each frame of a function with a frame pointer starts with the caller's
// frame pointer and its return address; the chain only ever goes up the stack.
std::vector<std::uint64_t> WalkFramePointers(const CONTEXT& context, StackBounds bounds) {
  std::vector<std::uint64_t> addresses{context.Eip};
  std::uintptr_t frame = context.Ebp;
  while (addresses.size() < kMaxFrames && frame >= bounds.low && frame % 4 == 0 &&
         frame + 2 * sizeof(std::uintptr_t) <= bounds.high) {
    const auto* slots = reinterpret_cast<const std::uintptr_t*>(frame);
    const std::uintptr_t returnAddress = slots[1];
    if (returnAddress == 0) break;
    addresses.push_back(returnAddress);
    if (slots[0] <= frame) break;
    frame = slots[0];
  }
  return addresses;
}

}  // namespace

WalkedStack WalkStack(DbgHelpLibrary* dbghelp, HANDLE thread, const CONTEXT& context, StackBounds bounds) {
  WalkedStack stack;
  std::vector<std::uint64_t> addresses;
  if (dbghelp != nullptr) addresses = WalkWithDbgHelp(*dbghelp, thread, context);
  if (addresses.size() > 1) {
    stack.method = u"StackWalk64";
  } else {
    addresses = WalkFramePointers(context, bounds);
    stack.method = u"saved frame pointers";
  }
  for (const std::uint64_t address : addresses) stack.frames.push_back(LocateCode(address, dbghelp));
  return stack;
}

}  // namespace velmoran::crash::win32
