// The driver's process-wide state. It lives as long as the driver stays
// loaded; one record per running command hangs off Commands.
#pragma once

#include "platform/ShellInterface.h"

// The legacy shell interface that one command image carries while it runs,
// with what is needed to take it off again.
struct COMMAND_INTERFACE {
  EFI_SHELL_INTERFACE Interface;
  EFI_HANDLE CommandHandle;
  COMMAND_INTERFACE *Next;
};

struct SHELL_COMPAT_STATE {
  EFI_HANDLE DriverHandle;
  EFI_EVENT ParametersEvent;
  VOID *ParametersRegistration;
  COMMAND_INTERFACE *Commands;
  UINT32 EnvironmentFlags;
};

extern SHELL_COMPAT_STATE ShellCompat;

// The state as the driver is loaded; tests restore it between cases.
SHELL_COMPAT_STATE ShellCompatStateAtLoad();
