// EFI_DRIVER_BINDING_PROTOCOL: installed by a driver that opens protocols
// BY_DRIVER, so that the firmware can ask it to let go (Stop) before such a
// protocol is uninstalled.
#pragma once

#include "platform/EfiStatus.h"

inline constexpr EFI_GUID EfiDriverBindingProtocolGuid = {
    0x18A031AB, 0xB443, 0x4D1A, {0xA5, 0xC0, 0x0C, 0x09, 0x26, 0x1E, 0x9F, 0x71}};

struct EFI_DRIVER_BINDING_PROTOCOL;

typedef EFI_STATUS(EFIAPI *EFI_DRIVER_BINDING_SUPPORTED)(EFI_DRIVER_BINDING_PROTOCOL *This,
                                                         EFI_HANDLE ControllerHandle, VOID *RemainingDevicePath);
typedef EFI_STATUS(EFIAPI *EFI_DRIVER_BINDING_START)(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE ControllerHandle,
                                                     VOID *RemainingDevicePath);
typedef EFI_STATUS(EFIAPI *EFI_DRIVER_BINDING_STOP)(EFI_DRIVER_BINDING_PROTOCOL *This, EFI_HANDLE ControllerHandle,
                                                    UINTN NumberOfChildren, EFI_HANDLE *ChildHandleBuffer);

struct EFI_DRIVER_BINDING_PROTOCOL {
  EFI_DRIVER_BINDING_SUPPORTED Supported;
  EFI_DRIVER_BINDING_START Start;
  EFI_DRIVER_BINDING_STOP Stop;
  UINT32 Version;
  EFI_HANDLE ImageHandle;
  EFI_HANDLE DriverBindingHandle;
};
static_assert(offsetof(EFI_DRIVER_BINDING_PROTOCOL, Stop) == 16);
static_assert(offsetof(EFI_DRIVER_BINDING_PROTOCOL, Version) == 24);
static_assert(offsetof(EFI_DRIVER_BINDING_PROTOCOL, ImageHandle) == 32);
static_assert(offsetof(EFI_DRIVER_BINDING_PROTOCOL, DriverBindingHandle) == 40);
