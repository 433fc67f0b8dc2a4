// EFI_SHELL_PARAMETERS_PROTOCOL: what a UEFI Shell 2.x installs on each
// command image it starts, and removes again when the command has ended.
#pragma once

#include "platform/EfiTypes.h"

inline constexpr EFI_GUID EfiShellParametersProtocolGuid = {
    0x752F3136, 0x4E16, 0x4FDC, {0xA2, 0x2A, 0xE5, 0xF4, 0x68, 0x12, 0xF4, 0xCA}};

struct EFI_SHELL_PARAMETERS_PROTOCOL {
  CHAR16 **Argv;
  UINTN Argc;
  void *StdIn;
  void *StdOut;
  void *StdErr;
};
static_assert(offsetof(EFI_SHELL_PARAMETERS_PROTOCOL, Argv) == 0);
static_assert(offsetof(EFI_SHELL_PARAMETERS_PROTOCOL, Argc) == 8);
static_assert(offsetof(EFI_SHELL_PARAMETERS_PROTOCOL, StdIn) == 16);
static_assert(offsetof(EFI_SHELL_PARAMETERS_PROTOCOL, StdErr) == 32);
