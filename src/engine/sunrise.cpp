#include "engine/sunrise.h"
