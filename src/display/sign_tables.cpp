#include "display/sign_tables.h"
