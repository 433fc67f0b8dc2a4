// The record behind the two buffer destinations: a caller's fixed buffer
// (PrintToBuffer) or a growable pool string (PrintAppend).
#pragma once

#include "platform/EfiStatus.h"

struct POOL_STRING {
  CHAR16 *Str;
  UINTN Length;    // characters, terminator excluded
  UINTN Capacity;  // the limit in characters (fixed), or the CHAR16 allocated (pool)
};

// Appends as much of Text as fits within Capacity; with a Capacity of 0
// nothing at all is written. Always EFI_SUCCESS.
EFI_STATUS BufferAppend(POOL_STRING *String, const CHAR16 *Text);

// Grows the string by the text's need plus 1024 characters when it does not
// fit, then appends. A failed growth drops the string: Str null, Length and
// Capacity 0. Always EFI_SUCCESS.
EFI_STATUS PoolStringAppend(POOL_STRING *String, const CHAR16 *Text);
