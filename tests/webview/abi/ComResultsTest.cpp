#include <gtest/gtest.h>

#include <cstdint>

#include "webview/abi/ComResults.h"

namespace velmoran::test {
namespace {

struct NamedCode {
  const char* name;
  HRESULT code;
  std::uint32_t expected;
};

TEST(ComResults, CodesCarryTheSystemsValues) {
  const NamedCode codes[] = {
      {"S_OK", S_OK, 0x00000000u},
      {"S_FALSE", S_FALSE, 0x00000001u},
      {"E_NOTIMPL", E_NOTIMPL, 0x80004001u},
      {"E_NOINTERFACE", E_NOINTERFACE, 0x80004002u},
      {"E_POINTER", E_POINTER, 0x80004003u},
      {"E_ABORT", E_ABORT, 0x80004004u},
      {"E_FAIL", E_FAIL, 0x80004005u},
      {"E_UNEXPECTED", E_UNEXPECTED, 0x8000FFFFu},
      {"E_ACCESSDENIED", E_ACCESSDENIED, 0x80070005u},
      {"E_OUTOFMEMORY", E_OUTOFMEMORY, 0x8007000Eu},
      {"E_INVALIDARG", E_INVALIDARG, 0x80070057u},
      {"RPC_E_CHANGED_MODE", RPC_E_CHANGED_MODE, 0x80010106u},
      {"CO_E_NOTINITIALIZED", CO_E_NOTINITIALIZED, 0x800401F0u},
      {"HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)", HRESULT_FROM_WIN32(2), 0x80070002u},
      {"HRESULT_FROM_WIN32(ERROR_SUCCESS)", HRESULT_FROM_WIN32(0), 0x00000000u},
      // Already a result code: passes through unchanged.
      {"HRESULT_FROM_WIN32(E_FAIL)", HRESULT_FROM_WIN32(0x80004005u), 0x80004005u},
  };
  for (const NamedCode& c : codes) {
    EXPECT_EQ(static_cast<std::uint32_t>(c.code), c.expected) << c.name;
  }
}

TEST(ComResults, FailureIsANegativeCode) {
  EXPECT_TRUE(SUCCEEDED(S_OK));
  EXPECT_TRUE(SUCCEEDED(S_FALSE));
  EXPECT_FALSE(FAILED(S_FALSE));
  EXPECT_TRUE(FAILED(E_FAIL));
  EXPECT_TRUE(FAILED(E_UNEXPECTED));
  static_assert(FAILED(E_ABORT) && SUCCEEDED(S_OK));
}

}  // namespace
}  // namespace velmoran::test
