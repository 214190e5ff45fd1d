#include "tests/wine/Desktop.h"

#include <cstdio>
#include <cstdlib>
#include <regex>

#include "tests/wine/UnixCommand.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

std::string ArtifactsFolder() {
  const char* folder = std::getenv("VELMORAN_ARTIFACTS");
  return folder != nullptr && *folder != '\0' ? std::string(folder) : UnixScratchFolder();
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

std::string XWindowOf(HWND window) {
  // Wine keeps the X window of each top-level window in this property.
  const auto id = reinterpret_cast<std::uintptr_t>(::GetPropW(window, L"__wine_x11_whole_window"));
  if (id == 0) return {};
  char text[32];
  std::snprintf(text, sizeof(text), "0x%lx", static_cast<unsigned long>(id));
  return text;
}

bool PressKeys(HWND window, const std::string& keys) {
  const std::string id = XWindowOf(window);
  if (id.empty()) return false;
  return RunUnix("xdotool windowfocus --sync " + id + " key " + keys).status == 0;
}

bool ClickCloseButton(HWND window) {
  // Wine draws the caption of a window it places itself; the window says
  // where its close button is when asked what lies under a point.
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  for (int y = bounds.top; y < bounds.top + 40; ++y) {
    for (int x = bounds.right - 1; x > bounds.right - 80; --x) {
      if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
      // A few pixels inside the button, away from its edge.
      const std::string point = std::to_string(x - 4) + " " + std::to_string(y + 4);
      return RunUnix("xdotool mousemove " + point + " click 1").status == 0;
    }
  }
  return false;
}

std::string Screenshot(const std::string& name) {
  const std::string path = ArtifactsFolder() + "/" + name + ".png";
  return RunUnix("import -window root " + ShellWord(path)).status == 0 ? path : std::string();
}

std::optional<ImageSize> PngSize(const std::string& unixPath) {
  const std::string bytes = ReadWholeFile(WinePathOf(unixPath));
  // Signature (8), IHDR length and type (8), then width and height, big-endian.
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0) return {};
  auto number = [&bytes](std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return ImageSize{number(16), number(20)};
}

std::string PixelAt(const std::string& unixPath, int x, int y) {
  const std::string format = "%[pixel:p{" + std::to_string(x) + "," + std::to_string(y) + "}]";
  return Trimmed(
      RunUnix("convert " + ShellWord(unixPath) + " -format " + ShellWord(format) + " info:").output);
}

std::string WindowIconSizes(HWND window) {
  const std::string id = XWindowOf(window);
  if (id.empty()) return {};
  const std::string listing = RunUnix("xprop -id " + id + " _NET_WM_ICON").output;
  std::string sizes;
  static const std::regex kIcon(R"(Icon \((\d+) x (\d+)\))");
  for (std::sregex_iterator it(listing.begin(), listing.end(), kIcon), end; it != end; ++it) {
    if (!sizes.empty()) sizes.push_back(' ');
    sizes += (*it)[1].str() + "x" + (*it)[2].str();
  }
  return sizes;
}

}  // namespace velmoran::test
