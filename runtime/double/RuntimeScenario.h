#pragma once

// What the runtime double is told to do: which calls fail, how its requests
// complete, which navigation fails, and what the page posts once it has
// loaded. A scenario is a UTF-8 text file, one item per line:
//
//   # a comment (the first non-blank character is '#'); blank lines are skipped
//   fail <Method> <HRESULT>       the named call answers HRESULT at once: an
//                                 export ("fail CreateCoreWebView2EnvironmentWithOptions 0x80070005"
//                                 refuses the environment), a method
//                                 ("fail ExecuteScript E_FAIL") or an event's
//                                 add_/remove_ ("fail add_WebMessageReceived E_FAIL")
//   complete <Request> <HRESULT>  the request is accepted and its completion
//                                 brings HRESULT; Request is environment,
//                                 controller or script
//   navigation <N> fails <Status> the webview's N-th navigation (1 is the
//                                 first) fails with that web error status: its
//                                 name (CANNOT_CONNECT) or number (12)
//   wait <Milliseconds>           the page waits that long before posting the
//                                 next message
//   messages <Path>               every line of that file is one message the
//                                 page posts, in order, here (the replay
//                                 tool's input format; the file is read as the
//                                 page goes, for runs too long to hold in
//                                 memory); a path starting with "/" is on Z:
//   resources every <N>           after every N-th message posted and after the
//                                 last one, the transcript records what the
//                                 process holds (memory, handles)
//   crash browser <ExitCode>      at this point of the page's messages the
//   crash renderer <ExitCode>     browser process (or the page's renderer)
//                                 exits with ExitCode (an HRESULT's forms, so
//                                 0xC0000005 or -1073741819): the runtime raises
//                                 ProcessFailed as it does for a process that
//                                 died. The page's next message waits until a
//                                 page has loaded again: the reloaded page, or
//                                 the new browser's first page
//   <anything else>               one message the page posts, exactly as the
//                                 host reads it with get_WebMessageAsJson (a
//                                 posted string arrives as a JSON string
//                                 literal); "!unreadable" is a message whose
//                                 text cannot be read, "!invalid-pointer" one
//                                 whose text is handed over as a pointer to
//                                 memory that does not exist (the host that
//                                 reads it crashes). These are the replay
//                                 tool's input lines.
//
// The page posts its messages, one after another in file order, once the
// first navigation has completed successfully. HRESULTs are hexadecimal
// (0x80004005), signed decimal (-2147467259) or one of the names S_OK, E_FAIL,
// E_ABORT, E_ACCESSDENIED, E_INVALIDARG, E_NOINTERFACE, E_NOTIMPL,
// E_OUTOFMEMORY, E_POINTER, E_UNEXPECTED. A directive line that cannot be
// understood is reported as an error and otherwise ignored; a message line is
// never checked, so broken messages can be posted on purpose.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::doubles {

struct ScenarioCallFailure {
  std::string method;
  HRESULT result = S_OK;

  friend bool operator==(const ScenarioCallFailure&, const ScenarioCallFailure&) = default;
};

// A process the runtime lets die between two of the page's messages.
struct ScenarioCrash {
  bool browserProcess = false;  // the browser process, or else the page's renderer
  std::int32_t exitCode = 0;

  friend bool operator==(const ScenarioCrash&, const ScenarioCrash&) = default;
};

struct ScenarioMessage {
  // How long the page waits, after posting the message before it, to post this one.
  std::uint32_t delayMilliseconds = 0;
  // The message's JSON text; none for a message whose text cannot be read.
  std::optional<std::u16string> json;
  // Not one message but every line of this file (a Windows path), when set.
  std::u16string file;
  // Instead of a message: a process dies at this point.
  std::optional<ScenarioCrash> crash;
  // Its text is handed over as a pointer to nowhere (json is then none).
  bool textPointsNowhere = false;

  friend bool operator==(const ScenarioMessage&, const ScenarioMessage&) = default;
};

struct ScenarioError {
  std::size_t line = 0;  // 1 for the first line
  std::string reason;

  friend bool operator==(const ScenarioError&, const ScenarioError&) = default;
};

struct RuntimeScenario {
  std::vector<ScenarioCallFailure> callFailures;
  std::optional<HRESULT> environmentCompletion;
  std::optional<HRESULT> controllerCompletion;
  std::optional<HRESULT> scriptCompletion;
  std::map<std::uint64_t, COREWEBVIEW2_WEB_ERROR_STATUS> failingNavigations;
  // The page's messages and the crashes between them, in file order.
  std::vector<ScenarioMessage> messages;
  std::uint64_t resourcesEvery = 0;  // 0: never
  std::vector<ScenarioError> errors;

  friend bool operator==(const RuntimeScenario&, const RuntimeScenario&) = default;
};

RuntimeScenario ParseRuntimeScenario(std::string_view utf8);

// A path the double is given: Windows paths as they are, a Unix path ("/tmp/x")
// as Wine sees it on drive Z: ("Z:\tmp\x").
std::u16string WindowsPathOf(std::u16string path);

}  // namespace velmoran::runtime::doubles
