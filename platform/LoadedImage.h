// EFI_LOADED_IMAGE_PROTOCOL: the image's data memory type.
#pragma once

#include "platform/EfiTypes.h"

inline constexpr EFI_GUID EfiLoadedImageProtocolGuid = {
    0x5B1B31A1, 0x9562, 0x11D2, {0x8E, 0x3F, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}};

struct EFI_LOADED_IMAGE_PROTOCOL {
  UINT32 Revision;
  EFI_HANDLE ParentHandle;
  void *SystemTable;
  EFI_HANDLE DeviceHandle;
  void *FilePath;
  void *Reserved;
  UINT32 LoadOptionsSize;
  void *LoadOptions;
  void *ImageBase;
  UINT64 ImageSize;
  EFI_MEMORY_TYPE ImageCodeType;
  EFI_MEMORY_TYPE ImageDataType;
  void *Unload;
};
static_assert(offsetof(EFI_LOADED_IMAGE_PROTOCOL, ImageDataType) == 84);
