// Waiting for an event, optionally bounded by a time-out.
#pragma once

#include "platform/EfiStatus.h"

// Waits for Event; with a Timeout other than 0 (in units of 100 ns) for at
// most that long, returning EFI_TIMEOUT when the time runs out first.
EFI_STATUS WaitForEventTimeout(EFI_EVENT Event, UINT64 Timeout);
