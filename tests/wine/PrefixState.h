#pragma once

// What the suite changes in the Wine prefix, put back as it was found when
// the suite ends: a prefix kept across sessions (the shell's own, with the
// real web server in C:\xampp) comes out of a run unchanged.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace velmoran::test {

class PrefixState {
 public:
  // Remembers a text value (REG_SZ) as it is now, or that there is none.
  void KeepRegistryText(HKEY root, const std::wstring& key, const std::wstring& name);
  // Moves a file or folder out of the way; the suite starts without it.
  void SetAside(const std::wstring& path);
  // Removes what the suite made in the places set aside and puts everything back.
  void Restore();

 private:
  struct RegistryText {
    HKEY root;
    std::wstring key;
    std::wstring name;
    std::optional<std::wstring> value;
  };
  struct AsidePath {
    std::wstring path;
    std::wstring aside;  // empty: nothing was there
  };

  std::vector<RegistryText> registry_;
  std::vector<AsidePath> paths_;
};

// Writes a text value (REG_SZ), making the key when needed; false on failure.
bool WriteRegistryText(HKEY root, const std::wstring& key, const std::wstring& name,
                       const std::wstring& value);

}  // namespace velmoran::test
