#pragma once

// Forwards to the one temporary-folder helper; goes once nothing includes it.
#include "tests/support/TempFolder.h"
namespace velmoran::platform::test { using velmoran::test::TempFolder; }
