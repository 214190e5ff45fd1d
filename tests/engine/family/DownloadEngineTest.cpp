// A download on the real engine: a 4 MiB file that Apache sends as an
// attachment makes the control raise DownloadStarting, where the test chooses
// the file's place; the bytes received rise to the file's size, the state
// becomes completed, and the file lies there whole.

#include <windows.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "tests/engine/family/EngineFamilyFixture.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/abi/WideText.h"

namespace velmoran::test::engine {
namespace {

constexpr std::int64_t kArchiveSize = std::int64_t{4} * 1024 * 1024;

// The download operation, asked the way an application must: through QueryInterface first.
ICoreWebView2DownloadOperation* Operation(IUnknown* aOperation) {
  ICoreWebView2DownloadOperation* operation = nullptr;
  if (aOperation == nullptr || FAILED(aOperation->QueryInterface(IID_ICoreWebView2DownloadOperation,
                                                                 reinterpret_cast<void**>(&operation))))
    return nullptr;
  return operation;
}

std::int64_t FileSize(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(webview::AsWideText(path), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::u16string Folder() {
  wchar_t temp[MAX_PATH] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH, temp);
  std::u16string folder(reinterpret_cast<const char16_t*>(temp), length);
  folder += u"velmoran-download-check";
  ::CreateDirectoryW(webview::AsWideText(folder), nullptr);
  return folder;
}

using DownloadEngineTest = EngineFamilyFixture;

TEST_F(DownloadEngineTest, AnAttachmentIsDownloadedWhole) {
  const std::u16string target = Folder() + u"\\archive.attachment";
  ::DeleteFileW(webview::AsWideText(target));
  int starting = 0;
  std::vector<std::int64_t> received;
  std::vector<COREWEBVIEW2_DOWNLOAD_STATE> states;
  std::u16string uri;
  std::int32_t downloadID = -1;

  Hook(Browser().OnDownloadStarting,
       webview::TWVRuntimeEvent<ICoreWebView2, ICoreWebView2DownloadStartingEventArgs>(
           [&](webview::TWVBrowserBase*, ICoreWebView2*, ICoreWebView2DownloadStartingEventArgs* args) {
             ++starting;
             ICoreWebView2DownloadStartingEventArgs* starting_args = nullptr;
             if (args == nullptr || FAILED(args->QueryInterface(IID_ICoreWebView2DownloadStartingEventArgs,
                                                                reinterpret_cast<void**>(&starting_args))))
               return;
             starting_args->put_ResultFilePath(webview::AsWideText(target));
             starting_args->Release();
           }));
  Hook(Browser().OnBytesReceivedChanged,
       webview::TOnDownloadEvent([&](webview::TWVBrowserBase*, IUnknown* aOperation, std::int32_t id) {
         downloadID = id;
         if (ICoreWebView2DownloadOperation* operation = Operation(aOperation)) {
           INT64 bytes = 0;
           operation->get_BytesReceived(&bytes);
           received.push_back(bytes);
           operation->Release();
         }
       }));
  Hook(Browser().OnDownloadStateChanged,
       webview::TOnDownloadEvent([&](webview::TWVBrowserBase*, IUnknown* aOperation, std::int32_t id) {
         downloadID = id;
         if (ICoreWebView2DownloadOperation* operation = Operation(aOperation)) {
           COREWEBVIEW2_DOWNLOAD_STATE state = COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS;
           operation->get_State(&state);
           states.push_back(state);
           LPWSTR text = nullptr;
           if (SUCCEEDED(operation->get_Uri(&text)) && text != nullptr)
             uri = std::u16string(webview::FromWideText(text));
           ::CoTaskMemFree(text);
           operation->Release();
         }
       }));

  // The navigation turns into a download; how Chromium ends that navigation is not this test's matter.
  ASSERT_TRUE(Browser().Navigate(PageURL(u"downloads/archive.attachment")));
  ASSERT_TRUE(Engine().WaitUntil([&] { return !states.empty(); }, 60s))
      << "DownloadStarting raised " << starting << " times, " << received.size() << " byte counts";

  EXPECT_EQ(starting, 1);
  EXPECT_EQ(states, std::vector<COREWEBVIEW2_DOWNLOAD_STATE>{COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED});
  EXPECT_EQ(uri, PageURL(u"downloads/archive.attachment"));
  EXPECT_GT(downloadID, 0);
  ASSERT_FALSE(received.empty());
  for (std::size_t i = 1; i < received.size(); ++i) EXPECT_GT(received[i], received[i - 1]);
  EXPECT_EQ(received.back(), kArchiveSize);
  EXPECT_EQ(FileSize(target), kArchiveSize) << Utf16ToUtf8(target);
  ::DeleteFileW(webview::AsWideText(target));
}

}  // namespace
}  // namespace velmoran::test::engine
