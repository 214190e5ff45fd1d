#pragma once

// A simulated Windows on a fresh temporary folder per test, with the web
// server's executable and processes arranged as a test needs them.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/sim/SimPlatform.h"
#include "tests/support/TempFolder.h"

namespace velmoran::testing {

using TempRoot = test_support::TempFolder;

// At the fixed path: nothing, the file, a folder, or a symbolic link to a
// file, to a folder or to nothing.
enum class ApacheExecutable { Missing, File, Folder, LinkToFile, LinkToFolder, DanglingLink };

class SimShellFixture : public ::testing::Test {
 protected:
  void InstallApache(ApacheExecutable kind) {
    const auto bin = root_.path() / "C" / "xampp" / "apache" / "bin";
    std::filesystem::create_directories(bin);
    if (kind == ApacheExecutable::File) std::ofstream(bin / "httpd.exe") << "MZ";
    if (kind == ApacheExecutable::Folder) std::filesystem::create_directories(bin / "httpd.exe");
    const auto elsewhere = root_.path() / "C" / "elsewhere";
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

  TempRoot root_;
  platform::sim::SimPlatform sim_{root_.path()};
};

}  // namespace velmoran::testing
