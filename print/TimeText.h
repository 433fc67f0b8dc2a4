// The text of a time, for the 't' directive: "MM/DD/YY  hh:mmX" on the
// 12-hour clock, X being 'a' or 'p'.
#pragma once

#include "platform/EfiTime.h"

// Buffer is the format engine's scratch (100 CHAR16).
VOID TimeToText(CHAR16 *Buffer, const EFI_TIME *Time);
