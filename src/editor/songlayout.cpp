#include "songlayout.h"
