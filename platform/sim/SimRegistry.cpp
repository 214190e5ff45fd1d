#include "platform/sim/SimRegistry.h"
