#pragma once

// What nearly every test source includes, parsed once per build tree and
// reused by every test program (velmoran_add_test). Only stable third-party
// and standard headers belong here: a project header would rebuild every
// test program whenever it changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
