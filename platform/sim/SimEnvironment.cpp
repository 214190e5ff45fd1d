#include "platform/sim/SimEnvironment.h"
