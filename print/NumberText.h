// Numbers as text for the 'x', 'X' and 'd' directives.
#pragma once

#include "platform/EfiTypes.h"

// Upper-case hexadecimal without leading zeros: at most 16 digits and a
// terminator.
VOID HexToText(CHAR16 *Dst, UINT64 Value);

// Signed decimal, optionally grouped in threes with ','. At most a sign,
// 20 digits, 6 commas and a terminator.
VOID DecimalToText(CHAR16 *Dst, BOOLEAN Comma, INT64 Value);
