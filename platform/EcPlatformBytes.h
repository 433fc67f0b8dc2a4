// The two platform bytes that steer EC access. Both are read through
// pointers so that host tests can point them at bytes of their own; the
// image keeps the defaults.
#pragma once

#include "platform/EfiTypes.h"

// Physical address of the byte whose bit 2 selects the secondary port pair.
constexpr UINTN EcPortSelectorAddress = 0xFF700108;

extern const volatile UINT8 *EcPortSelectorByte;

// Bit 5 set inhibits all EC access. The platform keeps no such byte of its
// own here, so it defaults to a zero byte of this image.
extern const volatile UINT8 *EcInhibitByte;
