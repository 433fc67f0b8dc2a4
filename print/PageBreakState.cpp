#include "print/PageBreakState.h"

constinit PAGE_BREAK_STATE PageBreakState = {};
