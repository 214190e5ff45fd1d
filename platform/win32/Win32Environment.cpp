#include "platform/win32/Win32Environment.h"
