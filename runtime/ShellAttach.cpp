#include "runtime/ShellAttach.h"

#include "runtime/FirmwareCalls.h"
#include "runtime/Guid.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"

namespace {

constexpr UINT32 ShellFlagToClear = 0x2;

// Exit does not return to the image.
VOID ExitImage(EFI_HANDLE ImageHandle, EFI_STATUS Status) {
  RuntimeContext.BootServices->Exit(ImageHandle, Status, 0, nullptr);
}

bool IsAcceptableEnvironment(const SHELL_ENVIRONMENT *Environment) {
  return GuidCompare(&Environment->Signature, &ShellEnvironmentSignatureGuid) == 0 && Environment->MajorVersion >= 1;
}

EFI_STATUS OpenEnvironment(EFI_HANDLE Handle) {
  VOID *Interface = nullptr;
  EFI_STATUS Status = RuntimeContext.BootServices->HandleProtocol(Handle, &ShellEnvironmentProtocolGuid, &Interface);
  RuntimeContext.ShellEnvironment = static_cast<SHELL_ENVIRONMENT *>(Interface);
  return Status;
}

EFI_STATUS FindEnvironmentOnAnyHandle(EFI_HANDLE ImageHandle) {
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  EFI_STATUS Status = LocateHandlesByProtocol(ByProtocol, &ShellEnvironmentProtocolGuid, nullptr, &Count, &Handles);
  if (IsError(Status)) {
    ExitImage(ImageHandle, Status);
    return Status;
  }
  EFI_STATUS Result = EFI_NOT_FOUND;
  for (UINTN Index = 0; Index < Count; Index++) {
    if (IsError(OpenEnvironment(Handles[Index]))) {
      continue;
    }
    if (IsAcceptableEnvironment(RuntimeContext.ShellEnvironment)) {
      Result = EFI_SUCCESS;
      break;
    }
  }
  PoolFree(Handles);
  if (IsError(Result)) {
    ExitImage(ImageHandle, Result);
  }
  return Result;
}

}  // namespace

EFI_STATUS AttachShell(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  AttachRuntime(ImageHandle, SystemTable);

  VOID *Interface = nullptr;
  EFI_STATUS Status = RuntimeContext.BootServices->HandleProtocol(ImageHandle, &ShellInterfaceProtocolGuid, &Interface);
  RuntimeContext.ShellInterface = static_cast<EFI_SHELL_INTERFACE *>(Interface);
  if (IsError(Status)) {
    ExitImage(ImageHandle, Status);
    return Status;
  }

  Status = OpenEnvironment(ImageHandle);
  if (IsError(Status) || !IsAcceptableEnvironment(RuntimeContext.ShellEnvironment)) {
    Status = FindEnvironmentOnAnyHandle(ImageHandle);
    if (IsError(Status)) {
      return Status;
    }
  }

  RuntimeContext.ShellEnvironment->StartupCall();
  UINT32 Flags = RuntimeContext.ShellEnvironment->GetFlags();
  RuntimeContext.ShellEnvironment->SetFlags(Flags & ~ShellFlagToClear);
  return Status;
}
