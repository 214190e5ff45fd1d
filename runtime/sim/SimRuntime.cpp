#include "runtime/sim/SimRuntime.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Registry.h"
#include "runtime/sim/SimBrowserProcess.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "runtime/sim/SimLoaderExports.h"
#include "runtime/sim/SimPlatformQueue.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

namespace {

constexpr char16_t kLoaderLibraryName[] = u"WebView2Loader.dll";
constexpr char16_t kInstalledRuntimeKey[] =
    u"SOFTWARE\\WOW6432Node\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";

std::u16string FolderOf(const std::u16string& path) {
  const std::size_t last = path.find_last_of(u'\\');
  return last == std::u16string::npos ? std::u16string() : path.substr(0, last);
}

void PutUint16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutUint32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The start of a library image: the DOS header pointing at a PE header that
// names the machine, which is all a bitness check reads.
std::vector<std::uint8_t> LibraryImage(std::uint16_t machine) {
  constexpr std::uint32_t kPeHeaderOffset = 0x80;
  std::vector<std::uint8_t> bytes(512, 0);
  PutUint16(bytes, 0, 0x5A4D);  // "MZ"
  PutUint32(bytes, 60, kPeHeaderOffset);
  PutUint32(bytes, kPeHeaderOffset, 0x00004550);  // "PE\0\0"
  PutUint16(bytes, kPeHeaderOffset + 4, machine);
  return bytes;
}

void CreateFolders(platform::Files& files, const std::u16string& folder) {
  for (std::size_t at = folder.find(u'\\', 3); at != std::u16string::npos; at = folder.find(u'\\', at + 1)) {
    files.CreateDirectoryW(folder.substr(0, at));
  }
  files.CreateDirectoryW(folder);
}

}  // namespace

SimRuntime::SimRuntime(platform::sim::SimPlatform& platform, SimRuntimeConfig config)
    : platform_(platform), context_(MakeSimRuntimeContext(platform, std::move(config))) {
  SetActiveSimRuntime(context_);
  InstallLoaderFile();
  InstallRegistryEntry();
  InstallFixedRuntime();
  RegisterLoaderLibrary();
}

SimRuntime::~SimRuntime() {
  // A completion never released would keep the context (and the caller's
  // handler) alive for ever: it holds both.
  context_->DropHeld();
  if (ActiveSimRuntime() == context_) SetActiveSimRuntime(nullptr);
}

std::u16string SimRuntime::LoaderLibraryPath() const {
  return FolderOf(platform_.process().ExecutablePath()) + u"\\" + kLoaderLibraryName;
}

namespace {

// Writes an image file with a version resource, creating its folders.
void WriteImage(platform::sim::SimFiles& files, const std::u16string& path, std::uint16_t machine,
                const std::uint16_t (&version)[4]) {
  CreateFolders(files, FolderOf(path));
  const std::vector<std::uint8_t> image = LibraryImage(machine);
  const platform::Handle file =
      files.CreateFileW(path, platform::kGenericWrite, platform::kFileShareNone, platform::kCreateAlways);
  if (file == platform::kInvalidHandle) return;
  std::uint32_t written = 0;
  files.WriteFile(file, image.data(), static_cast<std::uint32_t>(image.size()), written);
  files.CloseHandle(file);
  files.SetVersionResource(path, (std::uint32_t{version[0]} << 16) | version[1],
                           (std::uint32_t{version[2]} << 16) | version[3]);
}

}  // namespace

void SimRuntime::InstallLoaderFile() {
  const SimRuntimeConfig& config = context_->Config();
  if (!config.writeLoaderFile) return;
  WriteImage(platform_.files(), LoaderLibraryPath(), config.loaderMachine, config.loaderVersion);
}

void SimRuntime::InstallFixedRuntime() {
  const SimRuntimeConfig& config = context_->Config();
  if (config.fixedRuntimeFolder.empty()) return;
  std::u16string folder = config.fixedRuntimeFolder;
  if (folder.back() != u'\\') folder += u'\\';
  WriteImage(platform_.files(), folder + u"msedgewebview2.exe", config.loaderMachine,
             config.fixedRuntimeVersion);
}

void SimRuntime::InstallRegistryEntry() {
  const std::u16string& version = context_->Config().installedVersion;
  if (version.empty()) return;
  platform_.registry().SetStringValue(platform::kHkeyLocalMachine, kInstalledRuntimeKey, u"pv", version);
}

void SimRuntime::RegisterLoaderLibrary() {
  const SimRuntimeConfig& config = context_->Config();
  if (!config.registerLoaderLibrary) return;
  std::map<std::string, platform::ProcAddress> exports = SimLoaderExports();
  for (const std::string& missing : config.missingExports) exports.erase(missing);
  platform_.modules().RegisterLibrary(kLoaderLibraryName, std::move(exports));
}

namespace {

// The environments alive when the queued event is delivered, each held for the call.
std::vector<webview::ComPtr<SimCoreWebView2Environment>> HeldEnvironments(SimRuntimeContext& context) {
  std::vector<webview::ComPtr<SimCoreWebView2Environment>> environments;
  for (SimCoreWebView2Environment* environment : context.Environments())
    environments.emplace_back(environment);
  return environments;
}

}  // namespace

void SimRuntime::RaiseNewBrowserVersionAvailable() {
  context_->Post([context = context_] {
    for (const auto& environment : HeldEnvironments(*context)) environment->FireNewBrowserVersionAvailable();
  });
}

void SimRuntime::RaiseBrowserProcessExited(COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind) {
  context_->Post([context = context_, kind] {
    for (const auto& environment : HeldEnvironments(*context)) environment->FireBrowserProcessExited(kind);
  });
}

void SimRuntime::RaiseProcessInfosChanged() {
  context_->Post([context = context_] {
    for (const auto& environment : HeldEnvironments(*context)) environment->FireProcessInfosChanged();
  });
}

void SimRuntime::FailBrowserProcess(int exitCode) { FailSimBrowserProcess(context_, exitCode); }

std::size_t SimRuntime::Subscriptions() const {
  std::size_t count = 0;
  for (const SimCoreWebView2Environment* environment : context_->Environments()) {
    count += environment->SubscriptionCount();
  }
  return count;
}

std::unique_ptr<SimRuntime> InstallSimRuntime(platform::sim::SimPlatform& platform, SimRuntimeConfig config) {
  return std::make_unique<SimRuntime>(platform, std::move(config));
}

std::shared_ptr<SimControllerSide> InstallSimControllerSide(SimRuntime& runtime, SimControllerConfig config) {
  auto side = std::make_shared<SimControllerSide>(std::move(config));
  runtime.SetControllerFactory(side);
  return side;
}

std::shared_ptr<SimRuntimeContext> MakeSimRuntimeContext(platform::sim::SimPlatform& platform,
                                                         SimRuntimeConfig config) {
  return std::make_shared<SimRuntimeContext>(platform, std::make_shared<SimPlatformQueue>(platform.windows()),
                                             std::move(config));
}

}  // namespace velmoran::runtime::sim
