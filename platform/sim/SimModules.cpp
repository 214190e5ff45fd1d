#include "platform/sim/SimModules.h"
