#pragma once

#include "platform/EfiTypes.h"

// The tool's usage text, one console print per line.
VOID PrintUsage();
