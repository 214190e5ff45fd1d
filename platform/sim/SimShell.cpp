#include "platform/sim/SimShell.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/sim/SimFiles.h"

namespace velmoran::platform::sim {
namespace {

std::optional<std::u16string> Copy(const char16_t* text) {
  return text == nullptr ? std::nullopt : std::optional<std::u16string>(text);
}

std::u16string FileNameOf(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  return std::u16string(separator == std::u16string_view::npos ? path : path.substr(separator + 1));
}

}  // namespace

std::uint32_t SimShell::AddProcess(std::u16string image) {
  processes_.push_back(std::move(image));
  processIds_.push_back(nextProcessId_);
  nextProcessId_ += 4;  // Windows hands out process ids in steps of four
  return processIds_.back();
}

Handle SimShell::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t) {
  ++snapshotsAsked_;
  if (failSnapshots_ || !(flags & kTh32csSnapProcess)) {
    lastError_ = kErrorInvalidParameter;
    return kInvalidHandle;
  }
  const Handle handle = nextHandle_;
  nextHandle_ += 4;
  snapshots_.emplace(handle, Snapshot{processes_, processIds_, 0});
  return handle;
}

bool SimShell::Fill(Handle snapshot, ProcessEntry32W& entry, bool first) {
  auto it = snapshots_.find(snapshot);
  if (it == snapshots_.end()) {
    lastError_ = kErrorInvalidHandle;
    return false;
  }
  if (entry.dwSize != kProcessEntry32WSize) {
    lastError_ = kErrorInvalidParameter;  // ERROR_BAD_LENGTH on the real system; refused all the same
    return false;
  }
  Snapshot& state = it->second;
  if (first) state.next = 0;
  if (state.next >= state.images.size()) {
    lastError_ = 18;  // ERROR_NO_MORE_FILES
    return false;
  }
  const std::u16string& image = state.images[state.next];
  entry.th32ProcessID = state.ids[state.next];
  entry.szExeFile.fill(u'\0');
  // A name of 260 characters or more fills the field without a terminator.
  std::copy_n(image.begin(), std::min(image.size(), entry.szExeFile.size()), entry.szExeFile.begin());
  ++state.next;
  return true;
}

bool SimShell::Process32FirstW(Handle snapshot, ProcessEntry32W& entry) {
  return Fill(snapshot, entry, true);
}

bool SimShell::Process32NextW(Handle snapshot, ProcessEntry32W& entry) {
  return Fill(snapshot, entry, false);
}

bool SimShell::CloseHandle(Handle object) {
  if (snapshots_.erase(object) == 0 && processHandles_.erase(object) == 0) {
    lastError_ = kErrorInvalidHandle;
    return false;
  }
  return true;
}

bool SimShell::ShellExecuteExW(ShellExecuteInfoW& info) {
  requests_.push_back(Request{info.cbSize, info.fMask, info.hwnd, Copy(info.lpVerb), Copy(info.lpFile),
                              Copy(info.lpParameters), Copy(info.lpDirectory), info.nShow});
  if (info.cbSize != kShellExecuteInfoWSize || info.lpFile == nullptr) {
    lastError_ = kErrorInvalidParameter;
    return false;
  }
  // The file is looked for before elevation is asked for.
  std::error_code ignored;
  if (files_ != nullptr && !std::filesystem::is_regular_file(files_->HostPath(info.lpFile), ignored)) {
    lastError_ = kErrorFileNotFound;
    return false;
  }
  if (refusal_ != 0) {
    lastError_ = refusal_;
    return false;
  }
  AddProcess(FileNameOf(info.lpFile));
  info.hInstApp = 42;  // above 32: success, as the system reports it
  info.hProcess = 0;
  if (info.fMask & kSeeMaskNoCloseProcess) {
    info.hProcess = nextHandle_;
    nextHandle_ += 4;
    processHandles_.insert(info.hProcess);
  }
  return true;
}

}  // namespace velmoran::platform::sim
