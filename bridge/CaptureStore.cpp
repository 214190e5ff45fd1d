#include "bridge/CaptureStore.h"

#include <memory>
#include <utility>

#include "base/Text.h"
#include "bridge/BridgeError.h"
#include "bridge/FileHelpers.h"
#include "codec/Base64.h"

namespace velmoran::bridge {
namespace {

constexpr std::u16string_view kSaveMode = u"imgSave";
constexpr std::u16string_view kMemberFileName = u"user.txt";

}  // namespace

CaptureStore::CaptureStore(platform::Platform& platform, LogFunction logw)
    : platform_(platform), logw_(std::move(logw)) {}

void CaptureStore::StoreCapture(std::u16string_view callMode, std::u16string_view SavePath,
                                std::u16string_view filename, std::u16string_view jsonfilename,
                                std::u16string_view member_info, std::u16string_view poseWorldLandmarks2,
                                std::u16string_view image) {
  std::u16string directoryText(CapturePath::kRoot);
  directoryText.append(SavePath);
  directoryText.push_back(u'\\');
  logw_(u"**** SavePath::" + directoryText);

  // The directory step's own form errors keep their precedence; the capture
  // root check follows, and for "imgSave" the two file names the page chose
  // are checked as well, all before anything is created.
  CheckPathCharacters(directoryText);
  CheckPathFormat(directoryText);
  const CapturePath directory(directoryText);
  if (callMode != kSaveMode) {
    EnsureDirectory(platform_.files(), directory);
    currentSaveDir_ = directoryText;
    return;
  }
  [[maybe_unused]] const CapturePath poseFile(CombineFolderAndName(FolderOf(directoryText), jsonfilename));
  std::u16string imagePathText;
  imagePathText.reserve(directoryText.size() + 1 + filename.size());
  imagePathText.append(directoryText).append(u"\\").append(filename);
  const CapturePath imagePath(std::move(imagePathText));

  // Whichever step fails, an earlier file of the image's name stays, and it
  // is not the capture the page sent: the image counts as failed until it is written.
  const std::u16string imageKey = KeyOf(imagePath);
  failedImages_.insert(imageKey);
  EnsureDirectory(platform_.files(), directory);
  currentSaveDir_ = directoryText;
  WriteTextToFolder(platform_, directoryText, kMemberFileName, member_info);
  WriteTextToFolder(platform_, directoryText, jsonfilename, poseWorldLandmarks2);
  SaveBase64Png(image, imagePath);
  failedImages_.erase(imageKey);
}

bool CaptureStore::LatestSaveFailed(std::u16string_view path) const {
  if (failedImages_.empty()) return false;
  try {
    return failedImages_.contains(KeyOf(CapturePath(std::u16string(path))));
  } catch (const BridgeError&) {
    // A path the store refuses is one it never wrote to.
    return false;
  }
}

std::u16string CaptureStore::KeyOf(const CapturePath& path) { return ToLowerAscii(path.resolved()); }

bool CaptureStore::SaveBase64Png(std::u16string_view text, const CapturePath& fileName) {
  // An uninitialised buffer: the decode writes every byte that is kept, so
  // clearing megabytes first would only be one more pass over them.
  const auto bytes = std::make_unique_for_overwrite<char[]>(codec::Base64DecodeCapacity(text.size()));
  const std::size_t size = codec::DecodePngBase64Into(text, bytes.get());
  WriteFileBytes(platform_, fileName, std::string_view(bytes.get(), size));
  return true;
}

}  // namespace velmoran::bridge
