#include "shellcompat/CommandInterfaces.h"

#include "platform/LoadedImage.h"
#include "platform/ShellParameters.h"
#include "platform/ShellProtocol.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "shellcompat/ShellCompatState.h"

namespace {

EFI_BOOT_SERVICES *Boot() { return RuntimeContext.BootServices; }

EFI_STATUS OpenShellParameters(EFI_HANDLE CommandHandle, EFI_SHELL_PARAMETERS_PROTOCOL **Parameters) {
  VOID *Interface = nullptr;
  EFI_STATUS Status = Boot()->OpenProtocol(CommandHandle, &EfiShellParametersProtocolGuid, &Interface,
                                           ShellCompat.DriverHandle, CommandHandle, EFI_OPEN_PROTOCOL_BY_DRIVER);
  *Parameters = static_cast<EFI_SHELL_PARAMETERS_PROTOCOL *>(Interface);
  return Status;
}

VOID CloseShellParameters(EFI_HANDLE CommandHandle) {
  Boot()->CloseProtocol(CommandHandle, &EfiShellParametersProtocolGuid, ShellCompat.DriverHandle, CommandHandle);
}

// The image's loaded-image information, or null for a handle that has none.
VOID *LoadedImageOf(EFI_HANDLE CommandHandle) {
  VOID *Interface = nullptr;
  if (IsError(Boot()->HandleProtocol(CommandHandle, &EfiLoadedImageProtocolGuid, &Interface))) {
    return nullptr;
  }
  return Interface;
}

// Argv stays the shell's: it lives until the shell uninstalls the shell
// parameters, and the record goes before that. The shell has taken any
// redirection off the command line already, so there are no RedirArgv.
COMMAND_INTERFACE *NewCommandInterface(EFI_HANDLE CommandHandle, const EFI_SHELL_PARAMETERS_PROTOCOL *Parameters) {
  auto *Record = static_cast<COMMAND_INTERFACE *>(PoolAllocateZero(sizeof(COMMAND_INTERFACE)));
  if (Record == nullptr) {
    return nullptr;
  }
  Record->Interface.ImageHandle = CommandHandle;
  Record->Interface.Info = LoadedImageOf(CommandHandle);
  Record->Interface.Argv = Parameters->Argv;
  Record->Interface.Argc = Parameters->Argc;
  Record->Interface.StdIn = Parameters->StdIn;
  Record->Interface.StdOut = Parameters->StdOut;
  Record->Interface.StdErr = Parameters->StdErr;
  Record->CommandHandle = CommandHandle;
  return Record;
}

// The shell puts shell parameters on its own image handle too, and
// reinstalls them there around every command it starts; that image is no
// command of ours.
bool IsShellItself(EFI_HANDLE Handle) {
  VOID *Interface = nullptr;
  return !IsError(Boot()->HandleProtocol(Handle, &EfiShellProtocolGuid, &Interface));
}

COMMAND_INTERFACE **FindCommandInterface(EFI_HANDLE CommandHandle) {
  COMMAND_INTERFACE **Link = &ShellCompat.Commands;
  while (*Link != nullptr && (*Link)->CommandHandle != CommandHandle) {
    Link = &(*Link)->Next;
  }
  return Link;
}

}  // namespace

EFI_STATUS AttachCommandInterface(EFI_HANDLE CommandHandle) {
  if (IsShellItself(CommandHandle)) {
    return EFI_UNSUPPORTED;
  }
  EFI_SHELL_PARAMETERS_PROTOCOL *Parameters = nullptr;
  EFI_STATUS Status = OpenShellParameters(CommandHandle, &Parameters);
  if (IsError(Status)) {
    return Status;
  }
  COMMAND_INTERFACE *Record = NewCommandInterface(CommandHandle, Parameters);
  if (Record == nullptr) {
    CloseShellParameters(CommandHandle);
    return EFI_OUT_OF_RESOURCES;
  }
  // Fails when the image has a shell interface already (a legacy shell
  // started it): that one stays.
  Status = Boot()->InstallProtocolInterface(&CommandHandle, &ShellInterfaceProtocolGuid, EFI_NATIVE_INTERFACE,
                                            &Record->Interface);
  if (IsError(Status)) {
    PoolFree(Record);
    CloseShellParameters(CommandHandle);
    return Status;
  }
  Record->Next = ShellCompat.Commands;
  ShellCompat.Commands = Record;
  return EFI_SUCCESS;
}

EFI_STATUS DetachCommandInterface(EFI_HANDLE CommandHandle) {
  COMMAND_INTERFACE **Link = FindCommandInterface(CommandHandle);
  COMMAND_INTERFACE *Record = *Link;
  if (Record == nullptr) {
    return EFI_SUCCESS;
  }
  // While anyone holds on to the interface it must stay valid: then the
  // shell parameters stay too, and the shell's uninstall reports the refusal.
  EFI_STATUS Status = Boot()->UninstallProtocolInterface(CommandHandle, &ShellInterfaceProtocolGuid, &Record->Interface);
  if (IsError(Status)) {
    return Status;
  }
  CloseShellParameters(CommandHandle);
  *Link = Record->Next;
  PoolFree(Record);
  return EFI_SUCCESS;
}

VOID EFIAPI OnShellParametersInstalled(EFI_EVENT Event, VOID *Context) {
  (void)Event;
  (void)Context;
  // Each call hands out one handle new to the registration, then
  // EFI_NOT_FOUND once none is left.
  for (;;) {
    EFI_HANDLE CommandHandle = nullptr;
    UINTN Size = sizeof(CommandHandle);
    EFI_STATUS Status =
        Boot()->LocateHandle(ByRegisterNotify, nullptr, ShellCompat.ParametersRegistration, &Size, &CommandHandle);
    if (IsError(Status)) {
      return;
    }
    // A command we cannot attach runs as it would without the driver.
    AttachCommandInterface(CommandHandle);
  }
}
