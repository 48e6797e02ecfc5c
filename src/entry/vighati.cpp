#include "entry/vighati.h"
