#include "bridge/Base64.h"
