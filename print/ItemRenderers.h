// The renderers behind the 'g', 't' and 'r' directives. Each leaves a
// terminated text of at most 99 characters in Buffer, the run's scratch.
// A null entry leaves its letter without a directive: it prints '?' like any
// letter that is none ('g' excepted, which takes its value and prints
// "(null)" for a null pointer whatever the entry holds).
#pragma once

#include "platform/EfiStatus.h"
#include "platform/EfiTime.h"

struct ITEM_RENDERERS {
  VOID (*Guid)(CHAR16 *Buffer, const EFI_GUID *Guid);  // called for non-null pointers only
  VOID (*Time)(CHAR16 *Buffer, const EFI_TIME *Time);
  VOID (*Status)(CHAR16 *Buffer, EFI_STATUS Status);
};

extern const ITEM_RENDERERS ItemRenderers;
