#include "lineediting.h"
