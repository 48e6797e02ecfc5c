#include "engine/retrograde.h"
