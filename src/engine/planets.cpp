#include "engine/planets.h"
