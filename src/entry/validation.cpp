#include "entry/validation.h"
