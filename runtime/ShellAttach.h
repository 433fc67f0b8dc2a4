#pragma once

#include "platform/SystemTable.h"

// Attaches to the shell's interface and environment protocols. When either
// is missing the image ends here through Exit, with no message.
EFI_STATUS AttachShell(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
