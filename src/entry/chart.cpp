#include "entry/chart.h"
