// The support library's process-wide state and its start-up step.
#pragma once

#include "platform/ShellEnvironment.h"
#include "platform/ShellInterface.h"
#include "platform/SystemTable.h"
#include "platform/UnicodeCollation.h"

struct RUNTIME_CONTEXT {
  BOOLEAN Initialised;
  EFI_SYSTEM_TABLE *SystemTable;
  EFI_BOOT_SERVICES *BootServices;
  EFI_RUNTIME_SERVICES *RuntimeServices;
  EFI_MEMORY_TYPE PoolType;
  EFI_SHELL_INTERFACE *ShellInterface;
  SHELL_ENVIRONMENT *ShellEnvironment;
  EFI_UNICODE_COLLATION_PROTOCOL *Collation;
};

extern RUNTIME_CONTEXT RuntimeContext;

// The context as the image is loaded; tests restore it between cases.
RUNTIME_CONTEXT RuntimeContextAtLoad();

// Fills the context on its first call only; a null image handle keeps the
// default pool type. On every call with an image handle, binds a firmware
// collation while the built-in one is still in force.
VOID AttachRuntime(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
