#pragma once

#include "platform/EfiTypes.h"

// Zero exactly when the two GUIDs are equal; a non-zero result has no order.
INTN GuidCompare(const EFI_GUID *First, const EFI_GUID *Second);
