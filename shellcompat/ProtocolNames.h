// Names of well-known protocols, as the shell environment reports them.
#pragma once

#include "platform/EfiTypes.h"

// The protocol's name, or null for a GUID outside the table.
const CHAR16 *ProtocolNameOf(const EFI_GUID *Protocol);
