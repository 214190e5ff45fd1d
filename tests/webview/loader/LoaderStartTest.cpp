// The loader's start: the six steps in order, what each failure leaves in
// the status, the error log and the dialog, and the answer that arrives later.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/RuntimeEventRecorder.h"
#include "tests/webview/loader/LoaderFixture.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/QueryInterfaceLogged.h"

namespace velmoran::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using webview::ComPtr;
using webview::DestroySharedWebViewLoader;
using webview::QueryInterfaceLogged;
using webview::TWVCustomSchemeInfo;
using webview::TWVLoader;
using webview::wvlsCreated;
using webview::wvlsError;
using webview::wvlsImported;

constexpr std::uint32_t kErrorDialogFlags = platform::kMbIconError | platform::kMbTopMost;

TEST_F(LoaderTest, StartSendsTheRequestAndTheAnswerArrivesOnALaterPump) {
  TWVLoader& loader = MakeLoader();
  std::vector<std::string> events;
  RuntimeEventRecorder recorder(runtime->Context(), events);
  int created = 0;
  loader.OnEnvironmentCreated = [&](TWVLoader* sender) {
    EXPECT_EQ(sender, &loader);
    ++created;
  };

  EXPECT_TRUE(loader.StartWebView2());
  EXPECT_EQ(loader.Status(), wvlsImported);
  EXPECT_EQ(loader.Environment(), nullptr);  // not before the answer
  EXPECT_EQ(created, 0);
  EXPECT_EQ(sim.modules().TotalLoads(), 1u);

  Pump();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(loader.Initialized());
  EXPECT_FALSE(loader.InitializationError());
  EXPECT_NE(loader.Environment(), nullptr);
  EXPECT_TRUE(loader.ErrorLog().empty());
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(runtime->Subscriptions(), 3u);
  EXPECT_THAT(SubscribedEvents(events),
              ElementsAre("NewBrowserVersionAvailable", "BrowserProcessExited", "ProcessInfosChanged"));
}

TEST_F(LoaderTest, RenewingLetsTheAnsweredEnvironmentGoAndAsksForANewOne) {
  TWVLoader& loader = MakeLoader();
  EXPECT_FALSE(loader.RenewEnvironment()) << "nothing to renew before the start";
  ASSERT_TRUE(loader.StartWebView2());
  EXPECT_FALSE(loader.RenewEnvironment()) << "nor before the answer";
  Pump();
  ASSERT_TRUE(loader.Initialized());
  std::vector<std::string> events;
  RuntimeEventRecorder recorder(runtime->Context(), events);
  int created = 0;
  loader.OnEnvironmentCreated = [&](TWVLoader*) { ++created; };

  EXPECT_TRUE(loader.RenewEnvironment());
  EXPECT_EQ(loader.Status(), wvlsImported);
  EXPECT_EQ(loader.Environment(), nullptr);
  EXPECT_EQ(runtime->LiveEnvironments(), 0u) << "the old environment was let go";
  EXPECT_EQ(runtime->EnvironmentRequests().size(), 2u);

  Pump();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(loader.Initialized());
  EXPECT_NE(loader.Environment(), nullptr);
  EXPECT_EQ(sim.modules().TotalLoads(), 1u) << "the library stays loaded";
  EXPECT_THAT(events,
              ElementsAre("unsubscribe NewBrowserVersionAvailable", "unsubscribe BrowserProcessExited",
                          "unsubscribe ProcessInfosChanged", "subscribe NewBrowserVersionAvailable",
                          "subscribe BrowserProcessExited", "subscribe ProcessInfosChanged"));
  EXPECT_TRUE(loader.ErrorLog().empty());
}

TEST_F(LoaderTest, ARenewalTheRuntimeRefusesEndsInErrorAsAStartWould) {
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  runtime->SetCallResult("CreateCoreWebView2EnvironmentWithOptions", E_ACCESSDENIED);

  EXPECT_FALSE(loader.RenewEnvironment());

  EXPECT_TRUE(loader.InitializationError());
  EXPECT_EQ(loader.ErrorCode(), static_cast<std::int64_t>(E_ACCESSDENIED));
  EXPECT_EQ(Dialogs().size(), 1u);
}

TEST_F(LoaderTest, RequestCarriesThisProgramsSettings) {
  TWVLoader& loader = MakeLoader();
  loader.SetUserDataFolder(u"C:\\velmoran\\CustomCache");
  loader.SetRemoteDebuggingPort(9999);
  loader.SetRemoteAllowOrigins(u"*");
  loader.SetAreBrowserExtensionsEnabled(true);
  loader.OnGetCustomSchemes = [](TWVLoader*, std::vector<TWVCustomSchemeInfo>& schemes) {
    EXPECT_TRUE(schemes.empty());
    schemes.push_back({u"velmoran", true, u"https://a.example", false});
  };

  ASSERT_TRUE(loader.StartWebView2());

  ASSERT_EQ(runtime->EnvironmentRequests().size(), 1u);
  const runtime::sim::SimEnvironmentRequest& request = runtime->EnvironmentRequests()[0];
  EXPECT_EQ(request.browserExecutableFolder, u"");
  EXPECT_EQ(request.userDataFolder, u"C:\\velmoran\\CustomCache");
  EXPECT_EQ(request.additionalBrowserArguments,
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*");
  EXPECT_EQ(request.language, u"");
  EXPECT_EQ(request.targetCompatibleBrowserVersion, u"135.0.3179.45");
  EXPECT_TRUE(request.areBrowserExtensionsEnabled);
  EXPECT_TRUE(request.enableTrackingPrevention);
  EXPECT_EQ(request.releaseChannels, 15);
  EXPECT_THAT(request.customSchemeNames, ElementsAre(u"velmoran"));
}

TEST_F(LoaderTest, WithoutInitCOMLibraryNoComCallIsMade) {
  MakeLoader().StartWebView2();
  EXPECT_EQ(sim.com().CoInitializeExCalls(), 0u);
}

TEST_F(LoaderTest, SecondStartDoesNotInitialiseComAgainAndTheEndUninitialisesItOnce) {
  TWVLoader& loader = MakeLoader();
  loader.SetInitCOMLibrary(true);
  loader.StartWebView2();
  loader.StartWebView2();
  EXPECT_EQ(sim.com().CoInitializeExCalls(), 1u);
  EXPECT_EQ(sim.com().LastCoInit(), platform::kCoInitApartmentThreaded);

  DestroySharedWebViewLoader();
  EXPECT_EQ(sim.com().CoUninitializeCalls(), 1u);
  EXPECT_EQ(sim.com().ApartmentInitCount(), 0);
}

struct ComFailure {
  const char* name;
  HRESULT result;
  const char* line;
};

void PrintTo(const ComFailure& failure, std::ostream* out) { *out << failure.name; }

class LoaderComFailureTest : public LoaderTest, public ::testing::WithParamInterface<ComFailure> {};

TEST_P(LoaderComFailureTest, ShowsTheDialogReturnsFalseAndLeavesTheStatus) {
  TWVLoader& loader = MakeLoader();
  loader.SetInitCOMLibrary(true);
  sim.com().SetCoInitializeExResult(GetParam().result);

  EXPECT_FALSE(loader.StartWebView2());

  EXPECT_EQ(loader.Status(), wvlsCreated);
  EXPECT_FALSE(loader.Initialized());
  EXPECT_FALSE(loader.InitializationError());
  EXPECT_THAT(ErrorLogUtf8(), ElementsAre(GetParam().line));
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].owner, 0u);
  EXPECT_EQ(Dialogs()[0].caption, u"Error");
  EXPECT_EQ(Dialogs()[0].flags, kErrorDialogFlags);
  EXPECT_EQ(Dialogs()[0].text, loader.ErrorMessage());
  EXPECT_EQ(sim.modules().TotalLoads(), 0u);  // nothing after the COM step
  DestroySharedWebViewLoader();
  EXPECT_EQ(sim.com().CoUninitializeCalls(), 0u);  // it never began COM
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoaderComFailureTest,
    ::testing::Values(
        ComFailure{"Unexpected", E_UNEXPECTED, "Unexpected CoInitializeEx failure."},
        ComFailure{"ChangedMode", RPC_E_CHANGED_MODE,
                   "A previous call to CoInitializeEx specified an incompatible concurrency model for this "
                   "thread."},
        ComFailure{"OutOfMemory", E_OUTOFMEMORY, "CoInitializeEx failed to allocate necessary memory."},
        ComFailure{"InvalidArgument", E_INVALIDARG,
                   "CoInitializeEx failed. One or more arguments are not valid."},
        ComFailure{"Unknown", E_FAIL, "Unknown CoInitializeEx failure."}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

class LoaderMissingExportTest : public LoaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LoaderMissingExportTest, FailsTheStartEvenWithTheOtherFourPresent) {
  options.missingExports = {GetParam()};
  TWVLoader& loader = MakeLoader();

  EXPECT_FALSE(loader.StartWebView2());

  EXPECT_EQ(loader.Status(), wvlsError);
  EXPECT_THAT(ErrorLogUtf8(), ElementsAre("There was a problem loading the library procedures"));
  EXPECT_EQ(Dialogs().size(), 1u);
  EXPECT_TRUE(runtime->EnvironmentRequests().empty());
}

INSTANTIATE_TEST_SUITE_P(Exports, LoaderMissingExportTest,
                         ::testing::Values("CreateCoreWebView2EnvironmentWithOptions",
                                           "CreateCoreWebView2Environment",
                                           "GetAvailableCoreWebView2BrowserVersionString",
                                           "GetAvailableCoreWebView2BrowserVersionStringWithOptions",
                                           "CompareBrowserVersions"),
                         [](const auto& testInfo) { return std::string(testInfo.param); });

TEST_F(LoaderTest, LibraryThatCannotBeLoadedIsReportedWithTheSystemCode) {
  options.registerLoaderLibrary = false;  // the file is there, the system cannot load it
  TWVLoader& loader = MakeLoader();
  const std::u16string before = sim.files().GetCurrentDirectoryW();

  EXPECT_FALSE(loader.StartWebView2());

  EXPECT_EQ(loader.Status(), wvlsError);
  EXPECT_EQ(loader.ErrorCode(), 126);
  EXPECT_THAT(ErrorLogUtf8(), ElementsAre("Error loading WebView2Loader.dll", "Error code : 0x0000007E",
                                          "The specified module could not be found."));
  EXPECT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(sim.files().GetCurrentDirectoryW(), before);  // restored after the load
}

constexpr char kOldRuntimeWarning[] =
    "The WebView Runtime version is older than expected! Some Quillmoor features won't work.";

// The runtime's version against the one this program was built for: from the
// registry's entry for the installed runtime, or from the files of a browser
// folder the program names (then neither the registry nor the target version
// decides). An older runtime is a warning while allowed, and stops the start
// quietly when not.
struct RuntimeVersionCase {
  const char* name;
  std::u16string_view registryVersion;  // the installed runtime's entry; empty: none
  std::optional<std::array<std::uint16_t, 4>> folderVersion;
  bool allowOldRuntime;
  bool checkFiles;  // off where the file checks would refuse a runtime the registry does not show
  bool started;
  bool warned;
};

void PrintTo(const RuntimeVersionCase& version, std::ostream* out) { *out << version.name; }

class LoaderRuntimeVersionTest : public LoaderTest,
                                 public ::testing::WithParamInterface<RuntimeVersionCase> {};

TEST_P(LoaderRuntimeVersionTest, OlderRuntimeWarnsWhileAllowedAndStopsTheStartOtherwise) {
  const RuntimeVersionCase& c = GetParam();
  options.installedVersion = c.registryVersion;
  std::u16string browserFolder;
  if (c.folderVersion) {
    browserFolder = u"C:\\rt";
    options.fixedRuntimeFolder = browserFolder;
    std::copy(c.folderVersion->begin(), c.folderVersion->end(), std::begin(options.fixedRuntimeVersion));
  }
  TWVLoader& loader = MakeLoader();
  if (c.folderVersion) {
    loader.SetBrowserExecPath(browserFolder);
    loader.SetTargetCompatibleBrowserVersion(u"1.0.0.0");
  }
  loader.SetAllowOldRuntime(c.allowOldRuntime);
  loader.SetCheckFiles(c.checkFiles);

  EXPECT_EQ(loader.StartWebView2(), c.started);

  if (c.warned) {
    EXPECT_THAT(ErrorLogUtf8(), ElementsAre(kOldRuntimeWarning));
  } else {
    EXPECT_THAT(ErrorLogUtf8(), IsEmpty());
  }
  EXPECT_TRUE(Dialogs().empty());
  if (c.started) {
    ASSERT_EQ(runtime->EnvironmentRequests().size(), 1u);
    EXPECT_EQ(runtime->EnvironmentRequests()[0].browserExecutableFolder, browserFolder);
    Pump();
    EXPECT_TRUE(loader.Initialized());
  } else {
    EXPECT_EQ(loader.Status(), wvlsError);
    EXPECT_TRUE(runtime->EnvironmentRequests().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, LoaderRuntimeVersionTest,
    ::testing::Values(
        RuntimeVersionCase{"InstalledOlderAllowed", u"120.0.2210.91", std::nullopt, true, true, true, true},
        RuntimeVersionCase{"InstalledOlderRefused", u"135.0.3179.44", std::nullopt, false, true, false, true},
        RuntimeVersionCase{"InstalledNewerRefusingOlder", u"136.0.1.0", std::nullopt, false, true, true,
                           false},
        RuntimeVersionCase{"NotInTheRegistryCountsAsOlder", u"", std::nullopt, true, false, true, true},
        RuntimeVersionCase{"FolderSame", u"200.0.0.0", std::array<std::uint16_t, 4>{135, 0, 3179, 45}, false,
                           true, true, false},
        RuntimeVersionCase{"FolderNewer", u"200.0.0.0", std::array<std::uint16_t, 4>{135, 0, 3180, 0}, false,
                           true, true, false},
        RuntimeVersionCase{"FolderOlderAllowed", u"200.0.0.0", std::array<std::uint16_t, 4>{135, 0, 3179, 44},
                           true, true, true, true},
        RuntimeVersionCase{"FolderOlderRefused", u"200.0.0.0", std::array<std::uint16_t, 4>{134, 9, 9999, 99},
                           false, true, false, true}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(LoaderTest, CompareVersionsBeforeTheEntryPointsAnswersFalseAndZero) {
  TWVLoader& loader = MakeLoader();
  std::int32_t result = 7;
  EXPECT_FALSE(loader.CompareVersions(u"1.0.0.0", u"2.0.0.0", result));
  EXPECT_EQ(result, 0);
}

TEST_F(LoaderTest, CompareVersionsAfterTheStartAnswersTheOrder) {
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  std::int32_t result = 0;
  EXPECT_TRUE(loader.CompareVersions(u"1.0.0.0", u"2.0.0.0", result));
  EXPECT_EQ(result, -1);
  EXPECT_TRUE(loader.CompareVersions(u"135.0.3179.45", u"120.0.0.0", result));
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(loader.CompareVersions(u"", u"1.0.0.0", result));
  EXPECT_EQ(result, 0);
}

TEST_F(LoaderTest, RequestRefusedAtOnceShowsTheDialog) {
  options.createEnvironment.immediate = E_ACCESSDENIED;
  TWVLoader& loader = MakeLoader();
  int initializationErrors = 0;
  loader.OnInitializationError = [&](TWVLoader*) { ++initializationErrors; };

  EXPECT_FALSE(loader.StartWebView2());

  EXPECT_EQ(loader.Status(), wvlsError);
  EXPECT_EQ(loader.ErrorCode(), static_cast<std::int64_t>(static_cast<std::int32_t>(0x80070005u)));
  EXPECT_THAT(ErrorLogUtf8(),
              ElementsAre("There was an error creating the browser environment. (1)",
                          "Error code : 0x80070005", "Unable to create user data folder, Access Denied."));
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].text, loader.ErrorMessage());
  EXPECT_EQ(initializationErrors, 0);  // the event tells only of an answer
}

TEST_F(LoaderTest, RequestRefusedLaterRaisesOnlyTheEvent) {
  options.createEnvironment.completion = E_FAIL;
  TWVLoader& loader = MakeLoader();
  int initializationErrors = 0;
  int created = 0;
  loader.OnInitializationError = [&](TWVLoader*) { ++initializationErrors; };
  loader.OnEnvironmentCreated = [&](TWVLoader*) { ++created; };

  EXPECT_TRUE(loader.StartWebView2());
  EXPECT_EQ(initializationErrors, 0);
  Pump();

  EXPECT_EQ(initializationErrors, 1);
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(loader.InitializationError());
  EXPECT_EQ(loader.ErrorCode(), static_cast<std::int64_t>(static_cast<std::int32_t>(0x80004005u)));
  EXPECT_THAT(ErrorLogUtf8(), ElementsAre("There was a problem initializing the browser environment.",
                                          "Error code : 0x80004005", "Edge runtime unable to start."));
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_EQ(loader.Environment(), nullptr);
}

TEST_F(LoaderTest, AnswerWithoutAnEnvironmentIsAFailure) {
  options.createEnvironment.withoutObject = true;
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  EXPECT_TRUE(loader.InitializationError());
  EXPECT_THAT(ErrorLogUtf8(), ElementsAre("There was a problem initializing the browser environment.",
                                          "Error code : 0x00000000", "Unexpected error result."));
}

TEST_F(LoaderTest, ErrorMessageHoldsTwoFailuresInOrderEachLineEndingWithCrLf) {
  options.installedVersion = u"100.0.0.0";
  options.createEnvironment.immediate = static_cast<HRESULT>(0x80070002u);
  TWVLoader& loader = MakeLoader();

  EXPECT_FALSE(loader.StartWebView2());

  const std::u16string expected =
      u"The WebView Runtime version is older than expected! Some Quillmoor features won't work.\r\n"
      u"There was an error creating the browser environment. (1)\r\n"
      u"Error code : 0x80070002\r\n"
      u"Could not find Edge installation.\r\n";
  EXPECT_EQ(loader.ErrorMessage(), expected);
  // The one dialog shows the whole log, the earlier warning included.
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].text, expected);
}

TEST_F(LoaderTest, NoDialogWhenShowMessageDlgIsOff) {
  options.createEnvironment.immediate = E_FAIL;
  TWVLoader& loader = MakeLoader();
  loader.SetShowMessageDlg(false);
  EXPECT_FALSE(loader.StartWebView2());
  EXPECT_TRUE(Dialogs().empty());
  EXPECT_FALSE(loader.ErrorLog().empty());
}

TEST_F(LoaderTest, SecondStartAfterTheAnswerKeepsTheLoaderInitialized) {
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  ICoreWebView2Environment* environment = loader.Environment();

  EXPECT_FALSE(loader.StartWebView2());  // no second request

  EXPECT_TRUE(loader.Initialized());
  EXPECT_EQ(loader.Environment(), environment);
  EXPECT_EQ(runtime->EnvironmentRequests().size(), 1u);
  EXPECT_EQ(sim.modules().TotalLoads(), 1u);
}

TEST_F(LoaderTest, AvailableBrowserVersionOnlyOnceInitializedAndItsTextIsFreed) {
  TWVLoader& loader = MakeLoader();
  EXPECT_EQ(loader.AvailableBrowserVersion(), u"");
  ASSERT_TRUE(loader.StartWebView2());
  EXPECT_EQ(loader.AvailableBrowserVersion(), u"");  // imported, not yet initialized
  Pump();

  EXPECT_EQ(loader.AvailableBrowserVersion(), u"135.0.3179.45");
  EXPECT_EQ(loader.AvailableBrowserVersionWithOptions(), u"135.0.3179.45");
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(sim.com().ForeignFrees(), 0u);
  runtime->SetCallResult("GetAvailableCoreWebView2BrowserVersionString", E_FAIL);
  EXPECT_EQ(loader.AvailableBrowserVersion(), u"");
}

TEST_F(LoaderTest, ForwardsTheEnvironmentsAnswersOnceInitialized) {
  TWVLoader& loader = MakeLoader();
  EXPECT_FALSE(loader.SupportsCompositionController());
  EXPECT_EQ(loader.FailureReportFolderPath(), u"");
  EXPECT_FALSE(loader.ProcessInfos());
  loader.SetUserDataFolder(u"C:\\velmoran\\CustomCache");
  ASSERT_TRUE(loader.StartWebView2());
  Pump();

  EXPECT_TRUE(loader.SupportsCompositionController());
  EXPECT_TRUE(loader.SupportsControllerOptions());
  EXPECT_EQ(loader.FailureReportFolderPath(), u"C:\\velmoran\\CustomCache\\EBWebView\\Crashpad\\reports");
  ComPtr<ICoreWebView2ProcessInfoCollection> infos = loader.ProcessInfos();
  ASSERT_TRUE(infos);
  UINT32 count = 0;
  EXPECT_EQ(infos->get_Count(&count), S_OK);
  EXPECT_EQ(count, 1u);
}

TEST_F(LoaderTest, EnvironmentEventsReachTheLoadersEvents) {
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  std::vector<std::string> raised;
  loader.OnNewBrowserVersionAvailable = [&](TWVLoader* sender, ICoreWebView2Environment* environment) {
    EXPECT_EQ(sender, &loader);
    EXPECT_EQ(environment, loader.Environment());
    raised.push_back("new version");
  };
  loader.OnBrowserProcessExited = [&](TWVLoader*, ICoreWebView2Environment*,
                                      ICoreWebView2BrowserProcessExitedEventArgs* args) {
    COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind{};
    ASSERT_NE(args, nullptr);
    args->get_BrowserProcessExitKind(&kind);
    EXPECT_EQ(kind, COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
    raised.push_back("exited");
  };
  loader.OnProcessInfosChanged = [&](TWVLoader*, ICoreWebView2Environment*) { raised.push_back("infos"); };

  runtime->RaiseNewBrowserVersionAvailable();
  runtime->RaiseBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_FAILED);
  runtime->RaiseProcessInfosChanged();
  EXPECT_TRUE(raised.empty());  // delivered through the queue
  Pump();

  EXPECT_THAT(raised, ElementsAre("new version", "exited", "infos"));
}

TEST_F(LoaderTest, DestructionReleasesEveryObjectTextAndTheLibrary) {
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  ASSERT_TRUE(loader.Initialized());
  EXPECT_FALSE(loader.AvailableBrowserVersion().empty());
  ASSERT_GT(runtime->LiveObjects(), 0u);
  std::vector<std::string> teardown;
  RuntimeEventRecorder recorder(runtime->Context(), teardown);

  DestroySharedWebViewLoader();
  Pump();

  EXPECT_THAT(teardown, ElementsAre("unsubscribe NewBrowserVersionAvailable",
                                    "unsubscribe BrowserProcessExited", "unsubscribe ProcessInfosChanged"));
  EXPECT_EQ(runtime->LiveObjects(), 0u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
  EXPECT_EQ(sim.com().ForeignFrees(), 0u);
  EXPECT_EQ(sim.modules().LoadedLibraries(), 0u);
  EXPECT_EQ(sim.modules().TotalFrees(), 1u);
}

TEST_F(LoaderTest, AnswerArrivingAfterTheLoaderIsGoneReachesNothing) {
  ASSERT_TRUE(MakeLoader().StartWebView2());
  DestroySharedWebViewLoader();

  Pump();  // the runtime answers a loader that no longer exists

  EXPECT_EQ(runtime->LiveObjects(), 0u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(LoaderTest, DeviceScaleFactorFollowsTheScreenUnlessForced) {
  sim.windows().SetScreenLogPixels(144);
  TWVLoader& loader = MakeLoader();
  EXPECT_FLOAT_EQ(loader.DeviceScaleFactor(), 1.5f);

  loader.SetForcedDeviceScaleFactor(1.25f);
  EXPECT_FLOAT_EQ(loader.DeviceScaleFactor(), 1.5f);  // a plain store
  loader.UpdateDeviceScaleFactor();
  EXPECT_FLOAT_EQ(loader.DeviceScaleFactor(), 1.25f);
}

TEST_F(LoaderTest, ExceptionInAStepIsPlainFailureUnlessReRaiseExceptionsIsSet) {
  TWVLoader& loader = MakeLoader();
  loader.OnGetCustomSchemes = [](TWVLoader*, std::vector<TWVCustomSchemeInfo>&) {
    throw std::runtime_error("handler failed");
  };

  EXPECT_FALSE(loader.StartWebView2());
  EXPECT_TRUE(runtime->EnvironmentRequests().empty());

  loader.SetReRaiseExceptions(true);
  EXPECT_THROW(loader.StartWebView2(), std::runtime_error);
  EXPECT_TRUE(runtime->EnvironmentRequests().empty());
}

TEST_F(LoaderTest, QueryInterfaceLoggedWithoutASharedLoaderOnlyAnswersFalse) {
  options.highestEnvironmentVersion = 1;
  TWVLoader& loader = MakeLoader();
  ASSERT_TRUE(loader.StartWebView2());
  Pump();
  ComPtr<ICoreWebView2Environment> environment(loader.Environment());
  const std::size_t linesBefore = loader.ErrorLog().size();

  ComPtr<ICoreWebView2Environment2> second;
  EXPECT_FALSE(QueryInterfaceLogged(environment, IID_ICoreWebView2Environment2, second));
  EXPECT_EQ(loader.ErrorLog().size(), linesBefore + 1);

  DestroySharedWebViewLoader();
  EXPECT_FALSE(QueryInterfaceLogged(environment, IID_ICoreWebView2Environment2, second));
  EXPECT_FALSE(second);
  ComPtr<ICoreWebView2Environment> none;
  EXPECT_FALSE(QueryInterfaceLogged(none, IID_ICoreWebView2Environment2, second));
}

#if defined(__i386__) || defined(__x86_64__)
std::uint16_t X87ControlWord() {
  std::uint16_t word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

std::uint32_t Mxcsr() {
  std::uint32_t value = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(value));
  return value;
}

TEST_F(LoaderTest, ConstructionMasksTheSixFloatingPointExceptions) {
  // Unmask all six first (no floating-point work happens until the loader masks them again).
  std::uint16_t x87 = static_cast<std::uint16_t>(X87ControlWord() & ~0x3Fu);
  __asm__ volatile("fldcw %0" : : "m"(x87));
  std::uint32_t mxcsr = Mxcsr() & ~0x1F80u;
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));

  MakeLoader();

  EXPECT_EQ(X87ControlWord() & 0x3Fu, 0x3Fu);
  EXPECT_EQ(Mxcsr() & 0x1F80u, 0x1F80u);
}
#endif

}  // namespace
}  // namespace velmoran::test
