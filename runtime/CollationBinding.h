// Binding a firmware Unicode collation instance that supports the platform's
// language, in place of the built-in one.
#pragma once

#include "platform/EfiStatus.h"

// Unicode Collation 2 first, the older Unicode Collation after an error.
VOID BindCollation(EFI_HANDLE ImageHandle);

// Stores the first instance of the protocol whose language list selects a
// code; the image handle is the agent of the opens.
EFI_STATUS BindCollationProtocol(EFI_HANDLE ImageHandle, const EFI_GUID *Protocol);
