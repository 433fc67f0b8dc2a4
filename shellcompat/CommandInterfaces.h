// The legacy shell interface on each command image that a UEFI Shell 2.x
// starts. The shell installs EFI_SHELL_PARAMETERS_PROTOCOL on the image
// before it starts it and uninstalls it once the command has ended; the
// driver opens that protocol BY_DRIVER, so the uninstall asks the driver to
// let go first (its Stop), and the record goes away with it.
#pragma once

#include "platform/BootServices.h"

// Installs the legacy shell interface on one command image, built from its
// shell parameters. The shell's own image is passed over.
EFI_STATUS AttachCommandInterface(EFI_HANDLE CommandHandle);

// Removes the interface from the command image and releases its record.
// A handle that carries none of ours is left alone.
EFI_STATUS DetachCommandInterface(EFI_HANDLE CommandHandle);

// Notify function of the event registered for the shell parameters
// protocol: attaches every command image installed since the last signal.
VOID EFIAPI OnShellParametersInstalled(EFI_EVENT Event, VOID *Context);
