#include "platform/sim/SimWindowManager.h"
