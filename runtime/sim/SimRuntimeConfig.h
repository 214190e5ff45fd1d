#pragma once

// What a test chooses about the simulated browser runtime before it is
// installed: what is on disk and in the registry, which exports the loader
// library has, how far the environment's interface versions go, and how the
// environment request ends.

#include <cstdint>
#include <set>
#include <string>

#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

// How one asynchronous request of the runtime ends.
struct SimCallOutcome {
  // The answer of the call itself; a negative one means no completion follows.
  HRESULT immediate = S_OK;
  // The code the completion handler receives later.
  HRESULT completion = S_OK;
  // Completes with a success code but no object, as a faulty runtime might.
  bool withoutObject = false;
};

struct SimRuntimeConfig {
  // The environment answers QueryInterface for ICoreWebView2Environment up to
  // ICoreWebView2Environment<highestEnvironmentVersion> (1 to 14), except the
  // versions listed as refused.
  std::uint32_t highestEnvironmentVersion = 14;
  std::set<std::uint32_t> refusedEnvironmentVersions;

  // get_BrowserVersionString and the available-version exports.
  std::u16string browserVersion = u"135.0.3179.45";
  // The installed runtime's "pv" registry text; empty writes no entry.
  std::u16string installedVersion = u"135.0.3179.45";
  std::uint32_t browserProcessId = 4242;

  // The loader library: registered with the module table, and its file beside
  // the executable with a version resource and a PE header.
  bool registerLoaderLibrary = true;
  std::set<std::string> missingExports;  // export names left out of the library
  bool writeLoaderFile = true;
  std::uint16_t loaderVersion[4] = {1, 0, 3179, 45};
  std::uint16_t loaderMachine = 0x014C;  // IMAGE_FILE_MACHINE_I386

  // A fixed-version runtime: "msedgewebview2.exe" with this version resource
  // in the folder (for the loader's BrowserExecPath); an empty folder writes none.
  std::u16string fixedRuntimeFolder;
  std::uint16_t fixedRuntimeVersion[4] = {135, 0, 3179, 45};

  SimCallOutcome createEnvironment;
  // The environment request's completion waits inside the runtime until the
  // test calls SimRuntime::ReleaseEnvironmentCompletions, for a test that must
  // decide when the answer arrives (after the first show, after a window closed).
  bool holdEnvironmentCompletions = false;
};

}  // namespace velmoran::runtime::sim
