#include "tests/wine/PrefixState.h"

#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr wchar_t kAsideFolder[] = L"C:\\velmoran-road-aside";

std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& key, const std::wstring& name) {
  DWORD size = 0;
  if (::RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

}  // namespace

bool WriteRegistryText(HKEY root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value) {
  const std::size_t bytes = (value.size() + 1) * sizeof(wchar_t);  // the terminator included
  return ::RegSetKeyValueW(root, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

void PrefixState::KeepRegistryText(HKEY root, const std::wstring& key, const std::wstring& name) {
  registry_.push_back(RegistryText{root, key, name, ReadRegistryText(root, key, name)});
}

void PrefixState::SetAside(const std::wstring& path) {
  AsidePath entry{path, {}};
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    ::CreateDirectoryW(kAsideFolder, nullptr);
    entry.aside = std::wstring(kAsideFolder) + L"\\" + std::to_wstring(paths_.size());
    RemoveTree(entry.aside);
    if (!::MoveFileExW(path.c_str(), entry.aside.c_str(), 0)) entry.aside.clear();
  }
  paths_.push_back(std::move(entry));
}

void PrefixState::Restore() {
  for (auto it = paths_.rbegin(); it != paths_.rend(); ++it) {
    RemoveTree(it->path);
    if (!it->aside.empty()) ::MoveFileExW(it->aside.c_str(), it->path.c_str(), 0);
  }
  paths_.clear();
  ::RemoveDirectoryW(kAsideFolder);
  for (const RegistryText& text : registry_) {
    if (text.value) {
      WriteRegistryText(text.root, text.key, text.name, *text.value);
    } else {
      ::RegDeleteKeyValueW(text.root, text.key.c_str(), text.name.c_str());
    }
  }
  registry_.clear();
}

}  // namespace velmoran::test
