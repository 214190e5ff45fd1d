#include "platform/win32/Win32Shell.h"
