// EFI_SHELL_PROTOCOL of UEFI Shell 2.x: only its GUID. A UEFI Shell 2.x
// installs it on its own image handle, which tells the shell itself apart
// from the commands it starts.
#pragma once

#include "platform/EfiTypes.h"

inline constexpr EFI_GUID EfiShellProtocolGuid = {
    0x6302D008, 0x7F9B, 0x4F30, {0x87, 0xAC, 0x60, 0xC9, 0xFE, 0xF5, 0xDA, 0x4E}};
