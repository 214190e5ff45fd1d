#pragma once

// The web server's executable at its fixed path on a simulated drive C:, in
// the shapes the launcher has to tell apart.

#include <filesystem>
#include <fstream>

namespace velmoran::test {

// At the fixed path: nothing, the file, a folder, or a symbolic link to a
// file, to a folder or to nothing.
enum class ApacheExecutable { Missing, File, Folder, LinkToFile, LinkToFolder, DanglingLink };

// `root` holds the simulated drives, one folder per letter.
inline void InstallApache(const std::filesystem::path& root, ApacheExecutable kind) {
  const auto bin = root / "C" / "xampp" / "apache" / "bin";
  std::filesystem::create_directories(bin);
  if (kind == ApacheExecutable::File) std::ofstream(bin / "httpd.exe") << "MZ";
  if (kind == ApacheExecutable::Folder) std::filesystem::create_directories(bin / "httpd.exe");
  const auto elsewhere = root / "C" / "elsewhere";
  if (kind == ApacheExecutable::LinkToFile) {
    std::ofstream(elsewhere.string() + ".exe") << "MZ";
    std::filesystem::create_symlink(elsewhere.string() + ".exe", bin / "httpd.exe");
  }
  if (kind == ApacheExecutable::LinkToFolder) {
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directory_symlink(elsewhere, bin / "httpd.exe");
  }
  if (kind == ApacheExecutable::DanglingLink) std::filesystem::create_symlink(elsewhere, bin / "httpd.exe");
}

}  // namespace velmoran::test
