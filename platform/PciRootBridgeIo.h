// EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL: 8-bit port access and Configuration.
#pragma once

#include "platform/EfiStatus.h"

inline constexpr EFI_GUID EfiPciRootBridgeIoProtocolGuid = {
    0x2F707EBB, 0x4A1A, 0x11D4, {0x9A, 0x38, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}};

enum EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH : UINT32 {
  EfiPciWidthUint8 = 0,
  EfiPciWidthUint16 = 1,
  EfiPciWidthUint32 = 2,
  EfiPciWidthUint64 = 3,
};

struct EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL;

typedef EFI_STATUS(EFIAPI *EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_IO_MEM)(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This,
                                                                   EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH Width,
                                                                   UINT64 Address, UINTN Count, VOID *Buffer);
typedef EFI_STATUS(EFIAPI *EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_CONFIGURATION)(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This,
                                                                          VOID **Resources);

struct EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS {
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_IO_MEM Read;
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_IO_MEM Write;
};

struct EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL {
  EFI_HANDLE ParentHandle;
  void *PollMem;
  void *PollIo;
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS Mem;
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS Io;
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS Pci;
  void *CopyMem;
  void *Map;
  void *Unmap;
  void *AllocateBuffer;
  void *FreeBuffer;
  void *Flush;
  void *GetAttributes;
  void *SetAttributes;
  EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_CONFIGURATION Configuration;
  UINT32 SegmentNumber;
};
static_assert(offsetof(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL, Io) + offsetof(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS, Read) == 40);
static_assert(offsetof(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL, Io) + offsetof(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_ACCESS, Write) == 48);
static_assert(offsetof(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL, Configuration) == 136);
