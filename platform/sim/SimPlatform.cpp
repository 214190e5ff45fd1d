#include "platform/sim/SimPlatform.h"

#include <utility>

namespace velmoran::platform::sim {

SimPlatform::SimPlatform(std::filesystem::path root)
    : files_(std::move(root)), shell_(files_), modules_(files_, process_) {}

SimPlatform::~SimPlatform() = default;

}  // namespace velmoran::platform::sim
