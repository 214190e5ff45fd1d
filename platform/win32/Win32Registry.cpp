#include "platform/win32/Win32Registry.h"
