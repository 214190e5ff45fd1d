#pragma once

// Starting Unix programs from inside Wine, and the Unix names of Windows
// paths. Wine starts a Unix executable given by its Z: path (the root of the
// Unix file system) and hands it the arguments as the Windows command line
// splits them; the program's standard streams and exit code do not come back.

#include <optional>
#include <string>
#include <string_view>

namespace velmoran::runtime::chromium {

// Starts "/bin/bash -c <script>"; false when Wine could not start it.
bool StartBashScript(const std::string& script);

// The Unix path Wine maps `windowsPath` to (it need not exist yet), or none
// outside Wine.
std::optional<std::string> UnixPathOf(std::u16string_view windowsPath);

// Whether `unixPath` names an existing file, looked at through drive Z:.
bool UnixFileExists(std::string_view unixPath);

}  // namespace velmoran::runtime::chromium
