#include "engine/moon.h"
