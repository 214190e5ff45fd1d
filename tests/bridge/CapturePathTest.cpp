#include <gtest/gtest.h>

#include <ostream>

#include "base/Text.h"
#include "bridge/BridgeError.h"
#include "bridge/CapturePath.h"

namespace velmoran::test {
namespace {

using bridge::BridgeError;
using bridge::CapturePath;

struct PathCase {
  std::u16string path;
  const char16_t* resolved;  // nullptr: refused with `error`
  const char16_t* error = u"The path is outside the capture root";
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << "path \"" << Utf16ToUtf8(c.path) << '"'; }

class CapturePathCases : public ::testing::TestWithParam<PathCase> {};

TEST_P(CapturePathCases, ResolvesInsideOrRefuses) {
  const PathCase& c = GetParam();
  if (c.resolved == nullptr) {
    try {
      CapturePath path{c.path};
      FAIL() << "accepted " << Utf16ToUtf8(c.path) << " as " << Utf16ToUtf8(path.resolved());
    } catch (const BridgeError& error) {
      EXPECT_EQ(error.text(), c.error);
    }
  } else {
    const CapturePath path{c.path};
    EXPECT_EQ(path.resolved(), c.resolved);
    EXPECT_EQ(path.written(), c.path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    CapturePath, CapturePathCases,
    ::testing::Values(
        // Inside: the root itself, deeper levels, separators and dots that stay in.
        PathCase{u"C:\\velmoran_pose\\", u"C:\\velmoran_pose"},
        PathCase{u"C:\\velmoran_pose\\\\", u"C:\\velmoran_pose"},
        PathCase{u"C:\\velmoran_pose\\A01\\\\3.png", u"C:\\velmoran_pose\\A01\\3.png"},
        PathCase{u"C:\\velmoran_pose\\\\x\\", u"C:\\velmoran_pose\\x"},
        PathCase{u"C:/velmoran_pose//a/b\\", u"C:\\velmoran_pose\\a\\b"},
        PathCase{u"c:\\VELMORAN_POSE\\a", u"C:\\VELMORAN_POSE\\a"},
        PathCase{u"C:\\velmoran_pose\\a\\..\\b\\.\\c", u"C:\\velmoran_pose\\b\\c"},
        PathCase{u"C:\\velmoran_pose\\..\\velmoran_pose\\x", u"C:\\velmoran_pose\\x"},
        PathCase{u"C:\\..\\velmoran_pose\\x", u"C:\\velmoran_pose\\x"},
        PathCase{u"C:\\velmoran_pose\\a..b\\.x", u"C:\\velmoran_pose\\a..b\\.x"},
        PathCase{u"C:\\velmoran_pose\\console.png", u"C:\\velmoran_pose\\console.png"},
        PathCase{u"C:\\velmoran_pose\\COM10", u"C:\\velmoran_pose\\COM10"},
        // Outside: climbing out, other roots, other drives, other forms.
        PathCase{u"C:\\velmoran_pose\\..\\x", nullptr}, PathCase{u"C:\\velmoran_pose\\..\\", nullptr},
        PathCase{u"C:\\velmoran_pose\\a\\..\\..\\x", nullptr}, PathCase{u"C:/velmoran_pose/../x", nullptr},
        PathCase{u"C:\\velmoran_pose_other\\x", nullptr}, PathCase{u"C:\\velmoran\\errlog.txt", nullptr},
        PathCase{u"C:\\", nullptr}, PathCase{u"D:\\velmoran_pose\\x", nullptr},
        PathCase{u"C:velmoran_pose\\x", nullptr}, PathCase{u"C:relative.json", nullptr},
        PathCase{u"\\velmoran_pose\\x", nullptr}, PathCase{u"/velmoran_pose/x", nullptr},
        PathCase{u"\\\\server\\share\\x", nullptr}, PathCase{u"//server/share/x", nullptr},
        PathCase{u"\\\\?\\C:\\velmoran_pose\\x", nullptr}, PathCase{u"\\\\.\\C:\\velmoran_pose\\x", nullptr},
        PathCase{u"velmoran_pose\\x", nullptr}, PathCase{u"", nullptr},
        // Names the system would not take as plain names inside the root.
        PathCase{u"C:\\velmoran_pose\\...\\x", nullptr}, PathCase{u"C:\\velmoran_pose\\.. \\x", nullptr},
        PathCase{u"C:\\velmoran_pose\\a\\ \\x", nullptr}, PathCase{u"C:\\velmoran_pose\\NUL", nullptr},
        PathCase{u"C:\\velmoran_pose\\a\\con.png", nullptr},
        PathCase{u"C:\\velmoran_pose\\Com1.json", nullptr},
        PathCase{u"C:\\velmoran_pose\\lpt\u00B9", nullptr}, PathCase{u"C:\\velmoran_pose\\aux .txt", nullptr},
        PathCase{u"C:\\velmoran_pose\\CONOUT$", nullptr},
        // Names the file system would store under another name.
        PathCase{std::u16string(u"C:\\velmoran_pose\\user.txt\0.png", 30), nullptr,
                 u"The name contains a NUL character"},
        PathCase{std::u16string(u"C:\\velmoran_pose\\NUL\0", 21), nullptr,
                 u"The name contains a NUL character"},
        PathCase{u"C:\\velmoran_pose\\\xD800.png", nullptr, u"The name contains an unpaired surrogate"},
        PathCase{u"C:\\velmoran_pose\\a\xDC00\xD800.png", nullptr,
                 u"The name contains an unpaired surrogate"},
        PathCase{u"C:\\velmoran_pose\\\xD83D\xDE00.png", u"C:\\velmoran_pose\\\xD83D\xDE00.png"},
        PathCase{u"C:\\velmoran_pose\\\xFFFD.png", u"C:\\velmoran_pose\\\xFFFD.png"},
        PathCase{u"C:\\velmoran_pose\\3.png:x", nullptr, u"The name contains a stream separator"},
        PathCase{u"C:\\velmoran_pose\\A01\\\\D:\\x.png", nullptr, u"The name contains a stream separator"},
        PathCase{u"C:\\velmoran_pose\\3.png.", nullptr, u"The name ends with a dot or a blank"},
        PathCase{u"C:\\velmoran_pose\\A01 \\3.png", nullptr, u"The name ends with a dot or a blank"},
        PathCase{u"C:\\velmoran_pose\\ A01\\3.png", u"C:\\velmoran_pose\\ A01\\3.png"},
        // The store's temporaries' form, in any letter case, as a file or a folder.
        PathCase{u"C:\\velmoran_pose\\A01\\~vm0a1b2c3d", nullptr,
                 u"The name is reserved for temporary files"},
        PathCase{u"C:\\velmoran_pose\\A01\\~VM0A1B2C3D", nullptr,
                 u"The name is reserved for temporary files"},
        PathCase{u"C:\\velmoran_pose\\~Vm12345678\\3.png", nullptr,
                 u"The name is reserved for temporary files"},
        // Near it: other names.
        PathCase{u"C:\\velmoran_pose\\~vm0a1b2c3d.png", u"C:\\velmoran_pose\\~vm0a1b2c3d.png"},
        PathCase{u"C:\\velmoran_pose\\~vm0a1b2c3", u"C:\\velmoran_pose\\~vm0a1b2c3"},
        PathCase{u"C:\\velmoran_pose\\~vm0a1b2c3d4", u"C:\\velmoran_pose\\~vm0a1b2c3d4"},
        PathCase{u"C:\\velmoran_pose\\~vm0a1b2c3g", u"C:\\velmoran_pose\\~vm0a1b2c3g"},
        PathCase{u"C:\\velmoran_pose\\vm0a1b2c3d", u"C:\\velmoran_pose\\vm0a1b2c3d"}));

}  // namespace
}  // namespace velmoran::test
