// EFI_TIME in its UEFI layout.
#pragma once

#include "platform/EfiTypes.h"

struct EFI_TIME {
  UINT16 Year;
  UINT8 Month;
  UINT8 Day;
  UINT8 Hour;
  UINT8 Minute;
  UINT8 Second;
  UINT8 Pad1;
  UINT32 Nanosecond;
  INT16 TimeZone;
  UINT8 Daylight;
  UINT8 Pad2;
};
static_assert(sizeof(EFI_TIME) == 16);
static_assert(offsetof(EFI_TIME, Hour) == 4);
static_assert(offsetof(EFI_TIME, Minute) == 5);
