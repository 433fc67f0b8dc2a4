#pragma once

#include "platform/SystemTable.h"

// The image entry point: the firmware calls it when the shell starts the
// command. Its result is the image's exit status.
extern "C" EFI_STATUS EFIAPI EcToolMain(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
