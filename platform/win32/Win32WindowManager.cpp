#include "platform/win32/Win32WindowManager.h"
