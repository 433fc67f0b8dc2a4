// CHAR16 and 8-bit string routines. Lengths are in characters, without the
// terminating zero.
#pragma once

#include "platform/EfiTypes.h"

UINTN StrLength(const CHAR16 *String);
// Copies up to and including the terminator; the destination must have room.
VOID StrCopy(CHAR16 *Destination, const CHAR16 *Source);
// Removes leading and trailing runs of Character in place.
VOID StrTrimChar(CHAR16 *String, CHAR16 Character);
UINTN AsciiStrLength(const CHAR8 *String);
// Zero when equal within Limit, else the difference of the first differing
// bytes taken as unsigned.
INTN AsciiStrNCompare(const CHAR8 *First, const CHAR8 *Second, UINTN Limit);
