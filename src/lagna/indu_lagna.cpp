#include "lagna/indu_lagna.h"
