#include "platform/win32/Win32Platform.h"
