// What a crash report reads from the running shell, and that it reads
// nothing once the shell has gone.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/ShellCrashSources.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "crash/CrashReportText.h"
#include "tests/support/ShellSession.h"

using velmoran::app::ShellCrashSources;
using velmoran::app::WebCamFrm;
using velmoran::crash::kReportLogLines;

namespace {

TEST(ShellCrashSourcesTest, NewestLogLinesTheMainWindowAndTheRuntimeVersion) {
  velmoran::test::ShellSession session;
  session.InstallApache();
  session.StartServer();
  session.InstallRuntime();
  const velmoran::crash::CrashSources sources = ShellCrashSources();
  std::vector<std::u16string> lines;
  std::vector<std::u16string> view;
  std::uintptr_t window = 0;
  std::uintptr_t formWindow = 0;
  std::u16string version;
  session.Run({[&] {
    for (std::size_t i = 0; i < kReportLogLines + 10; ++i)
      WebCamFrm->logw(u"line " + velmoran::DecimalText(static_cast<std::int64_t>(i)));
    lines = sources.logLines();
    view = WebCamFrm->Memo1.Lines();
    window = sources.mainWindow();
    formWindow = static_cast<std::uintptr_t>(WebCamFrm->Handle());
    version = sources.runtimeVersion();
  }});

  ASSERT_EQ(lines.size(), kReportLogLines);
  EXPECT_EQ(lines, std::vector<std::u16string>(view.end() - static_cast<std::ptrdiff_t>(kReportLogLines),
                                               view.end()));
  EXPECT_NE(window, 0u);
  EXPECT_EQ(window, formWindow);
  EXPECT_FALSE(version.empty());

  // After the end there is no window, no log and no loader to ask.
  EXPECT_TRUE(sources.logLines().empty());
  EXPECT_EQ(sources.mainWindow(), 0u);
  EXPECT_TRUE(sources.runtimeVersion().empty());
}

}  // namespace
