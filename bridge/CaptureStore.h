#pragma once

// Puts what a capture message carries on disk: one capture directory under
// "C:\velmoran_pose\" per message and, for the callMode "imgSave", the member
// file "user.txt", the pose file and the PNG image. Remembers the capture
// directory of the latest capture message in CurrentSaveDir.

#include <functional>
#include <string>
#include <string_view>

#include "bridge/CapturePath.h"
#include "platform/Platform.h"

namespace velmoran::bridge {

class CaptureStore {
 public:
  using LogFunction = std::function<void(std::u16string_view)>;

  CaptureStore(platform::Platform& platform, LogFunction logw);

  // Raises BridgeError on any failure; what was written before it stays. A
  // SavePath, or for "imgSave" a jsonfilename or filename, that leads outside
  // the capture root fails before anything is created and leaves
  // CurrentSaveDir as it was.
  void StoreCapture(std::u16string_view callMode, std::u16string_view SavePath, std::u16string_view filename,
                    std::u16string_view jsonfilename, std::u16string_view member_info,
                    std::u16string_view poseWorldLandmarks2, std::u16string_view image);

  // Decodes the base64 or data-URL `text` and writes the bytes to `fileName`.
  bool SaveBase64Png(std::u16string_view text, const CapturePath& fileName);

  // Empty until the first capture message gets past its directory step; then
  // always ends with a backslash.
  const std::u16string& CurrentSaveDir() const { return currentSaveDir_; }

 private:
  platform::Platform& platform_;
  LogFunction logw_;
  std::u16string currentSaveDir_;
};

}  // namespace velmoran::bridge
