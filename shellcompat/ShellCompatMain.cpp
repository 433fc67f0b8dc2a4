#include "shellcompat/ShellCompatMain.h"

#include "platform/DriverBinding.h"
#include "platform/LoadedImage.h"
#include "platform/ShellEnvironment.h"
#include "platform/ShellParameters.h"
#include "runtime/RuntimeContext.h"
#include "shellcompat/CommandInterfaces.h"
#include "shellcompat/CompatEnvironment.h"
#include "shellcompat/ShellCompatState.h"

namespace {

EFI_BOOT_SERVICES *Boot() { return RuntimeContext.BootServices; }

// The binding is there for the firmware's sake: it is how an uninstall of
// the shell parameters reaches us (Stop). ConnectController must never start
// the driver on a device, so Supported declines every controller.
EFI_STATUS EFIAPI BindingSupported(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller, VOID *RemainingPath) {
  (void)This;
  (void)Controller;
  (void)RemainingPath;
  return EFI_UNSUPPORTED;
}

EFI_STATUS EFIAPI BindingStart(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller, VOID *RemainingPath) {
  (void)This;
  (void)Controller;
  (void)RemainingPath;
  return EFI_UNSUPPORTED;
}

EFI_STATUS EFIAPI BindingStop(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE Controller, UINTN NumberOfChildren,
                              EFI_HANDLE *Children) {
  (void)This;
  (void)NumberOfChildren;
  (void)Children;
  return DetachCommandInterface(Controller);
}

constexpr UINT32 DriverBindingVersion = 0x10;

constinit EFI_DRIVER_BINDING_PROTOCOL DriverBinding = {
    .Supported = BindingSupported,
    .Start = BindingStart,
    .Stop = BindingStop,
    .Version = DriverBindingVersion,
    .ImageHandle = nullptr,
    .DriverBindingHandle = nullptr,
};

EFI_STATUS InstallOnDriver(const EFI_GUID *Protocol, VOID *Interface) {
  EFI_HANDLE Handle = ShellCompat.DriverHandle;
  return Boot()->InstallProtocolInterface(&Handle, Protocol, EFI_NATIVE_INTERFACE, Interface);
}

EFI_STATUS UninstallFromDriver(const EFI_GUID *Protocol, VOID *Interface) {
  return Boot()->UninstallProtocolInterface(ShellCompat.DriverHandle, Protocol, Interface);
}

EFI_STATUS WatchShellParameters() {
  EFI_STATUS Status = Boot()->CreateEvent(EVT_NOTIFY_SIGNAL, TPL_CALLBACK, OnShellParametersInstalled, nullptr,
                                          &ShellCompat.ParametersEvent);
  if (IsError(Status)) {
    return Status;
  }
  Status = Boot()->RegisterProtocolNotify(&EfiShellParametersProtocolGuid, ShellCompat.ParametersEvent,
                                          &ShellCompat.ParametersRegistration);
  if (IsError(Status)) {
    Boot()->CloseEvent(ShellCompat.ParametersEvent);
    ShellCompat.ParametersEvent = nullptr;
  }
  return Status;
}

// Closing the event ends its registration as well.
VOID StopWatching() {
  Boot()->CloseEvent(ShellCompat.ParametersEvent);
  ShellCompat.ParametersEvent = nullptr;
  ShellCompat.ParametersRegistration = nullptr;
}

VOID SetUnloadHandler() {
  VOID *Interface = nullptr;
  if (!IsError(Boot()->HandleProtocol(ShellCompat.DriverHandle, &EfiLoadedImageProtocolGuid, &Interface))) {
    static_cast<EFI_LOADED_IMAGE_PROTOCOL *>(Interface)->Unload = UnloadShellCompat;
  }
}

}  // namespace

extern "C" EFI_STATUS EFIAPI ShellCompatMain(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  AttachRuntime(ImageHandle, SystemTable);
  ShellCompat.DriverHandle = ImageHandle;
  BuildCompatEnvironment();
  DriverBinding.ImageHandle = ImageHandle;
  DriverBinding.DriverBindingHandle = ImageHandle;

  EFI_STATUS Status = InstallOnDriver(&ShellEnvironmentProtocolGuid, &CompatEnvironment);
  if (IsError(Status)) {
    return Status;
  }
  Status = InstallOnDriver(&EfiDriverBindingProtocolGuid, &DriverBinding);
  if (IsError(Status)) {
    UninstallFromDriver(&ShellEnvironmentProtocolGuid, &CompatEnvironment);
    return Status;
  }
  Status = WatchShellParameters();
  if (IsError(Status)) {
    UninstallFromDriver(&EfiDriverBindingProtocolGuid, &DriverBinding);
    UninstallFromDriver(&ShellEnvironmentProtocolGuid, &CompatEnvironment);
    return Status;
  }
  SetUnloadHandler();
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI UnloadShellCompat(EFI_HANDLE ImageHandle) {
  (void)ImageHandle;
  // A running command still points at its interface and at our environment.
  if (ShellCompat.Commands != nullptr) {
    return EFI_ACCESS_DENIED;
  }
  EFI_STATUS Status = UninstallFromDriver(&ShellEnvironmentProtocolGuid, &CompatEnvironment);
  if (IsError(Status)) {
    return Status;
  }
  Status = UninstallFromDriver(&EfiDriverBindingProtocolGuid, &DriverBinding);
  if (IsError(Status)) {
    InstallOnDriver(&ShellEnvironmentProtocolGuid, &CompatEnvironment);
    return Status;
  }
  StopWatching();
  return EFI_SUCCESS;
}
