// Entry point and unload handler of the shell compatibility driver: a boot
// service driver that lets commands written for the legacy shell interface
// run under a UEFI Shell 2.x.
#pragma once

#include "platform/SystemTable.h"

// Installs the shell environment and the driver binding on the driver's
// image handle and watches for command images. On an error nothing stays
// installed and the firmware unloads the driver.
extern "C" EFI_STATUS EFIAPI ShellCompatMain(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

// Takes everything off again; refused while a command is running.
EFI_STATUS EFIAPI UnloadShellCompat(EFI_HANDLE ImageHandle);
