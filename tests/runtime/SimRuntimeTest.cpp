// The simulated runtime keeps the promises the loader and the browser control
// rely on: completions only from the message queue, interface versions as the
// test chose, texts from the platform's task memory, tokens of 64 bits, and a
// count of its live objects that returns to zero.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/Registry.h"
#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/support/TempFolder.h"
#include "webview/abi/WebView2Abi.h"

namespace velmoran::test {
namespace {

using runtime::sim::InstallSimRuntime;
using runtime::sim::SimCallOutcome;
using runtime::sim::SimRuntime;
using runtime::sim::SimRuntimeConfig;

using webview::ComObject;
using webview::ComPtr;
using webview::MakeComObject;

class EnvironmentCompletion final
    : public ComObject<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> {
 public:
  HRESULT WV2_STDCALL Invoke(HRESULT errorCode, ICoreWebView2Environment* result) override {
    ++calls;
    code = errorCode;
    environment = ComPtr<ICoreWebView2Environment>(result);
    return S_OK;
  }
  int calls = 0;
  HRESULT code = S_OK;
  ComPtr<ICoreWebView2Environment> environment;
};

class CountingHandler final : public ComObject<ICoreWebView2NewBrowserVersionAvailableEventHandler> {
 public:
  HRESULT WV2_STDCALL Invoke(ICoreWebView2Environment*, IUnknown*) override {
    ++calls;
    return S_OK;
  }
  int calls = 0;
};

class SimRuntimeTest : public testing::Test {
 protected:
  SimRuntimeTest() : sim(root.path()) {}
  ~SimRuntimeTest() override { Pump(); }

  void Install() { runtime = InstallSimRuntime(sim, options); }

  template <typename Function>
  Function Export(const char* name) {
    const platform::Handle library = sim.modules().LoadLibraryW(u"WebView2Loader.dll");
    EXPECT_NE(library, 0u);
    return reinterpret_cast<Function>(sim.modules().GetProcAddress(library, name));
  }

  void Pump() {
    platform::Message message;
    while (sim.windows().PeekMessageW(message, 0, 0, 0, platform::kPmRemove))
      sim.windows().DispatchMessageW(message);
  }

  // Requests an environment and delivers the answer.
  ComPtr<EnvironmentCompletion> RequestEnvironment() {
    auto create =
        Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
    auto completion = MakeComObject<EnvironmentCompletion>();
    EXPECT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), S_OK);
    Pump();
    return completion;
  }

  TempFolder root;
  platform::sim::SimPlatform sim;
  SimRuntimeConfig options;
  std::unique_ptr<SimRuntime> runtime;
};

TEST_F(SimRuntimeTest, InstallerLaysOutTheLibraryFileRegistryEntryAndExports) {
  Install();
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_TRUE(sim.files().GetFileVersionFixed(u"C:\\velmoran\\WebView2Loader.dll", ms, ls));
  EXPECT_EQ(ms, 0x00010000u);
  EXPECT_EQ(ls, (3179u << 16) | 45u);

  const platform::Handle file =
      sim.files().CreateFileW(u"C:\\velmoran\\WebView2Loader.dll", platform::kGenericRead,
                              platform::kFileShareRead, platform::kOpenExisting);
  ASSERT_NE(file, platform::kInvalidHandle);
  std::vector<std::uint8_t> bytes(512);
  std::uint32_t read = 0;
  ASSERT_TRUE(sim.files().ReadFile(file, bytes.data(), 512, read));
  sim.files().CloseHandle(file);
  const std::uint32_t peOffset = bytes[60] | (bytes[61] << 8);
  EXPECT_EQ(bytes[0], 'M');
  EXPECT_EQ(bytes[peOffset], 'P');
  EXPECT_EQ(bytes[peOffset + 4] | (bytes[peOffset + 5] << 8), 0x014C);

  platform::Handle key = 0;
  ASSERT_EQ(
      sim.registry().RegOpenKeyExW(
          platform::kHkeyLocalMachine,
          u"SOFTWARE\\WOW6432Node\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}",
          platform::kKeyRead, key),
      0u);
  sim.registry().RegCloseKey(key);

  EXPECT_NE(Export<CompareBrowserVersionsFunc>("CompareBrowserVersions"), nullptr);
}

TEST_F(SimRuntimeTest, MissingExportIsNotFound) {
  options.missingExports = {"CompareBrowserVersions"};
  Install();
  EXPECT_EQ(Export<CompareBrowserVersionsFunc>("CompareBrowserVersions"), nullptr);
  EXPECT_NE(Export<CreateCoreWebView2EnvironmentFunc>("CreateCoreWebView2Environment"), nullptr);
}

TEST_F(SimRuntimeTest, EnvironmentArrivesOnlyFromTheQueue) {
  Install();
  auto create =
      Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
  auto completion = MakeComObject<EnvironmentCompletion>();

  EXPECT_EQ(create(u"", u"C:\\data", nullptr, completion.Get()), S_OK);
  EXPECT_EQ(completion->calls, 0);

  Pump();
  EXPECT_EQ(completion->calls, 1);
  EXPECT_EQ(completion->code, S_OK);
  EXPECT_TRUE(completion->environment);
  EXPECT_EQ(runtime->EnvironmentRequests().at(0).userDataFolder, u"C:\\data");
}

struct OutcomeCase {
  SimCallOutcome outcome;
  HRESULT callAnswer;
  int completions;
  HRESULT completionCode;
  bool withEnvironment;
};

void PrintTo(const OutcomeCase& c, std::ostream* out) {
  *out << "call answered " << c.callAnswer << ", " << c.completions << " completion(s) with "
       << c.completionCode;
}

class SimRuntimeOutcomeTest : public SimRuntimeTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(SimRuntimeOutcomeTest, RequestEndsAsScripted) {
  options.createEnvironment = GetParam().outcome;
  Install();
  auto create =
      Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
  auto completion = MakeComObject<EnvironmentCompletion>();

  EXPECT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), GetParam().callAnswer);
  Pump();

  EXPECT_EQ(completion->calls, GetParam().completions);
  EXPECT_EQ(completion->code, GetParam().completionCode);
  EXPECT_EQ(static_cast<bool>(completion->environment), GetParam().withEnvironment);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, SimRuntimeOutcomeTest,
                         testing::Values(OutcomeCase{{}, S_OK, 1, S_OK, true},
                                         OutcomeCase{
                                             {E_ACCESSDENIED, S_OK, false}, E_ACCESSDENIED, 0, S_OK, false},
                                         OutcomeCase{{S_OK, E_FAIL, false}, S_OK, 1, E_FAIL, false},
                                         OutcomeCase{{S_OK, S_OK, true}, S_OK, 1, S_OK, false}));

TEST_F(SimRuntimeTest, HeldCompletionWaitsForItsReleaseAndThenForTheQueue) {
  options.holdEnvironmentCompletions = true;
  Install();
  auto create =
      Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
  auto completion = MakeComObject<EnvironmentCompletion>();
  ASSERT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), S_OK);

  Pump();
  EXPECT_EQ(completion->calls, 0);
  runtime->ReleaseEnvironmentCompletions();
  EXPECT_EQ(completion->calls, 0);  // released into the queue, not run inside the call
  Pump();
  EXPECT_EQ(completion->calls, 1);
  EXPECT_TRUE(completion->environment);
  runtime->ReleaseEnvironmentCompletions();
  Pump();
  EXPECT_EQ(completion->calls, 1);
}

TEST_F(SimRuntimeTest, CompletionNeverReleasedGivesBackTheHandlerWhenTheRuntimeGoes) {
  options.holdEnvironmentCompletions = true;
  Install();
  auto create =
      Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
  auto completion = MakeComObject<EnvironmentCompletion>();
  ASSERT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), S_OK);
  completion->AddRef();
  EXPECT_GT(completion->Release(), 1u);  // the runtime holds the handler

  runtime.reset();
  Pump();

  EXPECT_EQ(completion->calls, 0);
  completion->AddRef();
  EXPECT_EQ(completion->Release(), 1u);  // only the test's reference is left
}

TEST_F(SimRuntimeTest, EnvironmentRefusesEveryVersionAboveTheChosenOne) {
  options.highestEnvironmentVersion = 9;
  Install();
  ComPtr<ICoreWebView2Environment> environment = RequestEnvironment()->environment;

  ComPtr<ICoreWebView2Environment9> nine;
  ComPtr<ICoreWebView2Environment10> ten;
  ComPtr<ICoreWebView2Environment14> fourteen;
  EXPECT_EQ(environment.As(nine), S_OK);
  EXPECT_EQ(environment.As(ten), E_NOINTERFACE);
  EXPECT_EQ(environment.As(fourteen), E_NOINTERFACE);
  EXPECT_FALSE(ten);
}

TEST_F(SimRuntimeTest, EventTokensAreSixtyFourBitAndRemovalStopsTheEvent) {
  Install();
  ComPtr<ICoreWebView2Environment> environment = RequestEnvironment()->environment;
  auto handler = MakeComObject<CountingHandler>();
  EventRegistrationToken token{};
  ASSERT_EQ(environment->add_NewBrowserVersionAvailable(handler.Get(), &token), S_OK);
  EXPECT_GT(token.value, std::int64_t{0xFFFFFFFF});

  runtime->RaiseNewBrowserVersionAvailable();
  EXPECT_EQ(handler->calls, 0);
  Pump();
  EXPECT_EQ(handler->calls, 1);

  ASSERT_EQ(environment->remove_NewBrowserVersionAvailable(token), S_OK);
  runtime->RaiseNewBrowserVersionAvailable();
  Pump();
  EXPECT_EQ(handler->calls, 1);
}

TEST_F(SimRuntimeTest, TextsComeFromTheTaskAllocator) {
  Install();
  auto available = Export<GetAvailableCoreWebView2BrowserVersionStringFunc>(
      "GetAvailableCoreWebView2BrowserVersionString");
  LPWSTR version = nullptr;
  ASSERT_EQ(available(nullptr, &version), S_OK);
  EXPECT_EQ(webview::FromWideText(version), u"135.0.3179.45");
  EXPECT_EQ(sim.com().OutstandingBlocks(), 1u);
  sim.com().CoTaskMemFree(version);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(available(nullptr, nullptr), E_POINTER);
}

struct Comparison {
  const char16_t* first;
  const char16_t* second;
  HRESULT answer;
  int result;
};

void PrintTo(const Comparison& c, std::ostream* out) {
  *out << '"' << Utf16ToUtf8(c.first) << "\" against \"" << Utf16ToUtf8(c.second) << '"';
}

class SimRuntimeCompareTest : public SimRuntimeTest, public testing::WithParamInterface<Comparison> {};

TEST_P(SimRuntimeCompareTest, ComparesFourNumbersInOrder) {
  Install();
  auto compare = Export<CompareBrowserVersionsFunc>("CompareBrowserVersions");
  int result = 42;
  EXPECT_EQ(compare(GetParam().first, GetParam().second, &result), GetParam().answer);
  EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Versions, SimRuntimeCompareTest,
                         testing::Values(Comparison{u"135.0.3179.45", u"135.0.3179.45", S_OK, 0},
                                         Comparison{u"135.0.3179.44", u"135.0.3179.45", S_OK, -1},
                                         Comparison{u"136.0.0.0", u"135.9.9999.99", S_OK, 1},
                                         Comparison{u"120.0.2210.91 beta", u"120.0.2210.91", S_OK, 0},
                                         Comparison{u"", u"1.0.0.0", E_INVALIDARG, 0},
                                         Comparison{u"1.2.3", u"1.2.3.4", E_INVALIDARG, 0}));

TEST_F(SimRuntimeTest, LiveObjectsReturnToZeroOnceReleased) {
  Install();
  {
    ComPtr<ICoreWebView2Environment> environment = RequestEnvironment()->environment;
    ComPtr<ICoreWebView2Environment8> eight;
    ASSERT_EQ(environment.As(eight), S_OK);
    ComPtr<ICoreWebView2ProcessInfoCollection> infos;
    ASSERT_EQ(eight->GetProcessInfos(infos.Put()), S_OK);
    EXPECT_EQ(runtime->LiveObjects(), 3u);  // environment, collection, one process
  }
  EXPECT_EQ(runtime->LiveObjects(), 0u);
}

TEST_F(SimRuntimeTest, AnswerQueuedWhenTheRuntimeGoesIsStillDeliveredSafely) {
  Install();
  auto create =
      Export<CreateCoreWebView2EnvironmentWithOptionsFunc>("CreateCoreWebView2EnvironmentWithOptions");
  auto completion = MakeComObject<EnvironmentCompletion>();
  ASSERT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), S_OK);
  runtime.reset();

  Pump();

  EXPECT_EQ(completion->calls, 1);
  EXPECT_EQ(create(nullptr, nullptr, nullptr, completion.Get()), E_UNEXPECTED);  // nothing installed now
}

}  // namespace
}  // namespace velmoran::test
