#include "platform/win32/Win32Modules.h"
