// EFI_RUNTIME_SERVICES: only GetVariable is called.
#pragma once

#include "platform/EfiStatus.h"

typedef EFI_STATUS(EFIAPI *EFI_GET_VARIABLE)(const CHAR16 *VariableName, const EFI_GUID *VendorGuid,
                                             UINT32 *Attributes, UINTN *DataSize, VOID *Data);

struct EFI_RUNTIME_SERVICES {
  EFI_TABLE_HEADER Hdr;
  void *GetTime;
  void *SetTime;
  void *GetWakeupTime;
  void *SetWakeupTime;
  void *SetVirtualAddressMap;
  void *ConvertPointer;
  EFI_GET_VARIABLE GetVariable;
  void *GetNextVariableName;
  void *SetVariable;
  void *GetNextHighMonotonicCount;
  void *ResetSystem;
  void *UpdateCapsule;
  void *QueryCapsuleCapabilities;
  void *QueryVariableInfo;
};
static_assert(offsetof(EFI_RUNTIME_SERVICES, GetVariable) == 72);

// Vendor GUID of the UEFI global variables ("PlatformLang", "Lang").
inline constexpr EFI_GUID EfiGlobalVariableGuid = {
    0x8BE4DF61, 0x93CA, 0x11D2, {0xAA, 0x0D, 0x00, 0xE0, 0x98, 0x03, 0x2B, 0x8C}};
