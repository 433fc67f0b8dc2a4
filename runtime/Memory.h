// Byte copy and byte fill.
#pragma once

#include "platform/EfiTypes.h"

// Correct for overlapping ranges.
VOID MemCopy(VOID *Destination, const VOID *Source, UINTN Length);
VOID MemSet(VOID *Buffer, UINTN Length, UINT8 Value);
