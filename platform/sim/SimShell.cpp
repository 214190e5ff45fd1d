#include "platform/sim/SimShell.h"
