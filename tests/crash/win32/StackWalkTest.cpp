// The crash reporter's own stack walk, the one it falls back on without
// dbghelp: from a context captured three calls deep it goes up through those
// calls into the test, on x86 along the saved frame pointers and on x64
// through the modules' function tables.

#include <windows.h>
#include <gtest/gtest.h>

#include "crash/win32/KeepFramePointer.h"
#include "crash/win32/StackWalk.h"

namespace velmoran::test {
namespace {

using crash::win32::StackBounds;
using crash::win32::WalkedStack;
using crash::win32::WalkStack;

StackBounds ThisThreadsStack() {
  const auto* block = reinterpret_cast<const NT_TIB*>(::NtCurrentTeb());
  return {reinterpret_cast<std::uintptr_t>(block->StackLimit),
          reinterpret_cast<std::uintptr_t>(block->StackBase)};
}

// Each of the three keeps a frame pointer (the x86 walk needs the chain) and
// does work after its call, so no call becomes a jump.
[[gnu::noinline, VELMORAN_KEEP_FRAME_POINTER]] WalkedStack WalkFromHere(int& depth) {
  CONTEXT context{};
  context.ContextFlags = CONTEXT_FULL;
  ::RtlCaptureContext(&context);
  WalkedStack stack = WalkStack(nullptr, ::GetCurrentThread(), context, ThisThreadsStack());
  ++depth;
  return stack;
}

[[gnu::noinline, VELMORAN_KEEP_FRAME_POINTER]] WalkedStack Middle(int& depth) {
  WalkedStack stack = WalkFromHere(depth);
  ++depth;
  return stack;
}

[[gnu::noinline, VELMORAN_KEEP_FRAME_POINTER]] WalkedStack Outer(int& depth) {
  WalkedStack stack = Middle(depth);
  ++depth;
  return stack;
}

TEST(StackWalkTest, OwnWalkGoesUpThroughTheCallers) {
  int depth = 0;
  const WalkedStack stack = Outer(depth);
  ASSERT_EQ(depth, 3);
  EXPECT_EQ(stack.method, sizeof(void*) == 8 ? u"function tables" : u"saved frame pointers");
  // The three functions and the test that called them, all in this program.
  ASSERT_GE(stack.frames.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(stack.frames[i].module, u"crash_win32_tests.exe") << "frame " << i;
  }
  // Each frame a different return address, none repeated.
  for (std::size_t i = 1; i < stack.frames.size(); ++i) {
    EXPECT_NE(stack.frames[i].address, stack.frames[i - 1].address) << "frame " << i;
  }
}

}  // namespace
}  // namespace velmoran::test
