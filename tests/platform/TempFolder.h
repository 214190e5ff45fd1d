#pragma once

#include "tests/support/TempFolder.h"

namespace velmoran::platform::test {

using TempFolder = velmoran::test_support::TempFolder;

}  // namespace velmoran::platform::test
