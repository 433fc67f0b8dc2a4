// 64-bit helpers for the digit rendering of the format engine.
#pragma once

#include "platform/EfiTypes.h"

// Logical shift by Count modulo 64.
UINT64 U64ShiftRight(UINT64 Value, UINTN Count);
// Unsigned quotient; stores the remainder when Remainder is not null.
UINT64 U64DivRem(UINT64 Dividend, UINT64 Divisor, UINT64 *Remainder);
