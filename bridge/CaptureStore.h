#pragma once

// Puts what a capture message carries on disk: one capture directory under
// "C:\velmoran_pose\" per message and, for the callMode "imgSave", the member
// file "user.txt", the pose file and the PNG image. Remembers the capture
// directory of the latest capture message in CurrentSaveDir.

#include <functional>
#include <set>
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
  // CurrentSaveDir as it was. An "imgSave" that fails once its image path is
  // known marks that image failed until a later save of it succeeds.
  void StoreCapture(std::u16string_view callMode, std::u16string_view SavePath, std::u16string_view filename,
                    std::u16string_view jsonfilename, std::u16string_view member_info,
                    std::u16string_view poseWorldLandmarks2, std::u16string_view image);

  // Decodes the base64 or data-URL `text` and writes the bytes to `fileName`.
  bool SaveBase64Png(std::u16string_view text, const CapturePath& fileName);

  // Empty until the first capture message gets past its directory step; then
  // always ends with a backslash.
  const std::u16string& CurrentSaveDir() const { return currentSaveDir_; }

  // Whether the latest "imgSave" of this run that named the image at `path`
  // failed, whatever step failed: an earlier file of that name may still be
  // there, but it is not the capture the page last sent.
  bool LatestSaveFailed(std::u16string_view path) const;

 private:
  // The key an image is remembered by: the same file whatever its spelling
  // (separators, "." and "..", ASCII letter case).
  static std::u16string KeyOf(const CapturePath& path);

  platform::Platform& platform_;
  LogFunction logw_;
  std::u16string currentSaveDir_;
  std::set<std::u16string> failedImages_;
};

}  // namespace velmoran::bridge
