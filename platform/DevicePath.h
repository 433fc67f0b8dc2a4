// Device path nodes in their UEFI layout: the common header, the node kinds
// whose fields we print, and the vendor GUIDs that name special messaging
// nodes. Nodes sit at any byte address inside a path, so these records are
// never dereferenced: they give the byte offsets (through offsetof) at which
// the unaligned little-endian readers in devpath/NodeFields.h look.
#pragma once

#include "platform/EfiTypes.h"

struct EFI_DEVICE_PATH_PROTOCOL {
  UINT8 Type;
  UINT8 SubType;
  UINT8 Length[2];  // little-endian, the whole node with this header
};
static_assert(sizeof(EFI_DEVICE_PATH_PROTOCOL) == 4);
static_assert(offsetof(EFI_DEVICE_PATH_PROTOCOL, Length) == 2);

// Node types.
inline constexpr UINT8 HardwareDevicePath = 0x01;
inline constexpr UINT8 AcpiDevicePath = 0x02;
inline constexpr UINT8 MessagingDevicePath = 0x03;
inline constexpr UINT8 MediaDevicePath = 0x04;
inline constexpr UINT8 BbsDevicePath = 0x05;
inline constexpr UINT8 EndDevicePath = 0x7F;

// Subtypes, by type.
inline constexpr UINT8 HardwarePciSubType = 1;
inline constexpr UINT8 HardwarePcCardSubType = 2;
inline constexpr UINT8 HardwareMemMapSubType = 3;
inline constexpr UINT8 HardwareVendorSubType = 4;
inline constexpr UINT8 HardwareControllerSubType = 5;

inline constexpr UINT8 AcpiSubType = 1;
inline constexpr UINT8 AcpiExpandedSubType = 2;
inline constexpr UINT8 AcpiAdrSubType = 3;

inline constexpr UINT8 MessagingAtapiSubType = 1;
inline constexpr UINT8 MessagingScsiSubType = 2;
inline constexpr UINT8 MessagingFibreChannelSubType = 3;
inline constexpr UINT8 Messaging1394SubType = 4;
inline constexpr UINT8 MessagingUsbSubType = 5;
inline constexpr UINT8 MessagingI2oSubType = 6;
inline constexpr UINT8 MessagingInfinibandSubType = 9;
inline constexpr UINT8 MessagingVendorSubType = 10;
inline constexpr UINT8 MessagingMacAddressSubType = 11;
inline constexpr UINT8 MessagingIpv4SubType = 12;
inline constexpr UINT8 MessagingIpv6SubType = 13;
inline constexpr UINT8 MessagingUartSubType = 14;
inline constexpr UINT8 MessagingUsbClassSubType = 15;
inline constexpr UINT8 MessagingUsbWwidSubType = 16;
inline constexpr UINT8 MessagingLogicalUnitSubType = 17;
inline constexpr UINT8 MessagingSataSubType = 18;
inline constexpr UINT8 MessagingIscsiSubType = 19;

inline constexpr UINT8 MediaHardDriveSubType = 1;
inline constexpr UINT8 MediaCdromSubType = 2;
inline constexpr UINT8 MediaVendorSubType = 3;
inline constexpr UINT8 MediaFilePathSubType = 4;
inline constexpr UINT8 MediaProtocolSubType = 5;
inline constexpr UINT8 MediaFirmwareFileSubType = 6;
inline constexpr UINT8 MediaFirmwareVolumeSubType = 7;
inline constexpr UINT8 MediaRelativeOffsetRangeSubType = 8;

inline constexpr UINT8 BbsBbsSubType = 1;

inline constexpr UINT8 EndInstanceSubType = 0x01;
inline constexpr UINT8 EndEntireSubType = 0xFF;

// Vendor GUIDs of messaging vendor nodes that have a text of their own.
inline constexpr EFI_GUID PcAnsiTerminalGuid = {
    0xE0C14753, 0xF9BE, 0x11D2, {0x9A, 0x0C, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}};
inline constexpr EFI_GUID Vt100TerminalGuid = {
    0xDFA66065, 0xB419, 0x11D3, {0x9A, 0x2D, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}};
inline constexpr EFI_GUID Vt100PlusTerminalGuid = {
    0x7BAEC70B, 0x57E0, 0x4C76, {0x8E, 0x87, 0x2F, 0x9E, 0x28, 0x08, 0x83, 0x43}};
inline constexpr EFI_GUID VtUtf8TerminalGuid = {
    0xAD15A0D6, 0x8BEC, 0x4ACF, {0xA0, 0x73, 0xD0, 0x1D, 0xE7, 0x7E, 0x2D, 0x88}};
inline constexpr EFI_GUID UartFlowControlGuid = {
    0x37499A9D, 0x542F, 0x4C89, {0xA0, 0x26, 0x35, 0xDA, 0x14, 0x20, 0x94, 0xE4}};
inline constexpr EFI_GUID SasDeviceGuid = {
    0xD487DDB4, 0x008B, 0x11D9, {0xAF, 0xDC, 0x00, 0x10, 0x83, 0xFF, 0xCA, 0x4D}};
inline constexpr EFI_GUID DebugPortGuid = {
    0xEBA4E8D2, 0x3858, 0x41EC, {0xA2, 0x81, 0x26, 0x47, 0xBA, 0x96, 0x60, 0xD0}};

// Node records. Byte-packed: the UEFI layouts put 64-bit fields at offsets
// that natural alignment would move (the hard drive node's tail, for one).
#pragma pack(push, 1)

struct PCI_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 Function;
  UINT8 Device;
};
static_assert(offsetof(PCI_NODE, Function) == 4);
static_assert(offsetof(PCI_NODE, Device) == 5);

struct PCCARD_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 FunctionNumber;
};
static_assert(offsetof(PCCARD_NODE, FunctionNumber) == 4);

struct MEMMAP_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 MemoryType;
  UINT64 StartingAddress;
  UINT64 EndingAddress;
};
static_assert(offsetof(MEMMAP_NODE, MemoryType) == 4);
static_assert(offsetof(MEMMAP_NODE, StartingAddress) == 8);
static_assert(offsetof(MEMMAP_NODE, EndingAddress) == 16);

// Hardware, messaging and media vendor nodes; vendor data follows the GUID.
struct VENDOR_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  EFI_GUID Guid;
};
static_assert(offsetof(VENDOR_NODE, Guid) == 4);
static_assert(sizeof(VENDOR_NODE) == 20);

struct CONTROLLER_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 ControllerNumber;
};
static_assert(offsetof(CONTROLLER_NODE, ControllerNumber) == 4);

struct ACPI_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 HID;
  UINT32 UID;
};
static_assert(offsetof(ACPI_NODE, HID) == 4);
static_assert(offsetof(ACPI_NODE, UID) == 8);

// Three zero-ended 8-bit strings follow: HIDSTR, UIDSTR, CIDSTR.
struct ACPI_EXPANDED_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 HID;
  UINT32 UID;
  UINT32 CID;
};
static_assert(offsetof(ACPI_EXPANDED_NODE, HID) == 4);
static_assert(offsetof(ACPI_EXPANDED_NODE, UID) == 8);
static_assert(offsetof(ACPI_EXPANDED_NODE, CID) == 12);
static_assert(sizeof(ACPI_EXPANDED_NODE) == 16);

// Further 32-bit _ADR values may follow the first.
struct ACPI_ADR_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 ADR;
};
static_assert(offsetof(ACPI_ADR_NODE, ADR) == 4);
static_assert(sizeof(ACPI_ADR_NODE) == 8);

struct ATAPI_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 PrimarySecondary;
  UINT8 SlaveMaster;
  UINT16 Lun;
};
static_assert(offsetof(ATAPI_NODE, PrimarySecondary) == 4);
static_assert(offsetof(ATAPI_NODE, SlaveMaster) == 5);

struct SCSI_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 Pun;
  UINT16 Lun;
};
static_assert(offsetof(SCSI_NODE, Pun) == 4);
static_assert(offsetof(SCSI_NODE, Lun) == 6);

struct FIBRE_CHANNEL_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 Reserved;
  UINT64 WWN;
  UINT64 Lun;
};
static_assert(offsetof(FIBRE_CHANNEL_NODE, WWN) == 8);
static_assert(offsetof(FIBRE_CHANNEL_NODE, Lun) == 16);

struct IEEE1394_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 Reserved;
  UINT64 Guid;
};
static_assert(offsetof(IEEE1394_NODE, Guid) == 8);

struct USB_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 ParentPortNumber;
  UINT8 InterfaceNumber;
};
static_assert(offsetof(USB_NODE, ParentPortNumber) == 4);
static_assert(offsetof(USB_NODE, InterfaceNumber) == 5);

// The serial number, 16-bit characters, follows.
struct USB_WWID_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 InterfaceNumber;
  UINT16 VendorId;
  UINT16 ProductId;
};
static_assert(offsetof(USB_WWID_NODE, InterfaceNumber) == 4);
static_assert(offsetof(USB_WWID_NODE, VendorId) == 6);
static_assert(offsetof(USB_WWID_NODE, ProductId) == 8);

struct LOGICAL_UNIT_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 Lun;
};
static_assert(offsetof(LOGICAL_UNIT_NODE, Lun) == 4);

struct USB_CLASS_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 VendorId;
  UINT16 ProductId;
  UINT8 DeviceClass;
  UINT8 DeviceSubClass;
  UINT8 DeviceProtocol;
};
static_assert(offsetof(USB_CLASS_NODE, VendorId) == 4);
static_assert(offsetof(USB_CLASS_NODE, ProductId) == 6);
static_assert(offsetof(USB_CLASS_NODE, DeviceClass) == 8);
static_assert(offsetof(USB_CLASS_NODE, DeviceSubClass) == 9);
static_assert(offsetof(USB_CLASS_NODE, DeviceProtocol) == 10);

struct SATA_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 HBAPortNumber;
  UINT16 PortMultiplierPortNumber;
  UINT16 Lun;
};
static_assert(offsetof(SATA_NODE, HBAPortNumber) == 4);
static_assert(offsetof(SATA_NODE, PortMultiplierPortNumber) == 6);
static_assert(offsetof(SATA_NODE, Lun) == 8);

struct I2O_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 Tid;
};
static_assert(offsetof(I2O_NODE, Tid) == 4);

struct MAC_ADDRESS_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 MacAddress[32];
  UINT8 IfType;
};
static_assert(offsetof(MAC_ADDRESS_NODE, MacAddress) == 4);
static_assert(offsetof(MAC_ADDRESS_NODE, IfType) == 36);

struct IPV4_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 LocalIpAddress[4];
  UINT8 RemoteIpAddress[4];
  UINT16 LocalPort;
  UINT16 RemotePort;
};
static_assert(offsetof(IPV4_NODE, RemoteIpAddress) == 8);
static_assert(offsetof(IPV4_NODE, RemotePort) == 14);

struct IPV6_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT8 LocalIpAddress[16];
  UINT8 RemoteIpAddress[16];
};
static_assert(offsetof(IPV6_NODE, RemoteIpAddress) == 20);

struct INFINIBAND_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 ResourceFlags;
  UINT8 PortGid[16];
  UINT64 ServiceId;
  UINT64 TargetPortId;
  UINT64 DeviceId;
};
static_assert(offsetof(INFINIBAND_NODE, ResourceFlags) == 4);
static_assert(offsetof(INFINIBAND_NODE, PortGid) == 8);
static_assert(offsetof(INFINIBAND_NODE, ServiceId) == 24);
static_assert(offsetof(INFINIBAND_NODE, TargetPortId) == 32);
static_assert(offsetof(INFINIBAND_NODE, DeviceId) == 40);

struct UART_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 Reserved;
  UINT64 BaudRate;
  UINT8 DataBits;
  UINT8 Parity;
  UINT8 StopBits;
};
static_assert(offsetof(UART_NODE, BaudRate) == 8);
static_assert(offsetof(UART_NODE, DataBits) == 16);
static_assert(offsetof(UART_NODE, Parity) == 17);
static_assert(offsetof(UART_NODE, StopBits) == 18);

// A messaging vendor node with UartFlowControlGuid.
struct UART_FLOW_CONTROL_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  EFI_GUID Guid;
  UINT32 FlowControlMap;
};
static_assert(offsetof(UART_FLOW_CONTROL_NODE, FlowControlMap) == 20);

// A messaging vendor node with SasDeviceGuid.
struct SAS_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  EFI_GUID Guid;
  UINT32 Reserved;
  UINT64 SasAddress;
  UINT64 Lun;
  UINT16 DeviceTopology;
  UINT16 RelativeTargetPort;
};
static_assert(offsetof(SAS_NODE, Reserved) == 20);
static_assert(offsetof(SAS_NODE, SasAddress) == 24);
static_assert(offsetof(SAS_NODE, Lun) == 32);
static_assert(offsetof(SAS_NODE, DeviceTopology) == 40);
static_assert(offsetof(SAS_NODE, RelativeTargetPort) == 42);
static_assert(sizeof(SAS_NODE) == 44);

// The target name, zero-ended 8-bit text, follows.
struct ISCSI_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 NetworkProtocol;
  UINT16 LoginOption;
  UINT64 Lun;
  UINT16 TargetPortalGroupTag;
};
static_assert(offsetof(ISCSI_NODE, NetworkProtocol) == 4);
static_assert(offsetof(ISCSI_NODE, LoginOption) == 6);
static_assert(offsetof(ISCSI_NODE, Lun) == 8);
static_assert(offsetof(ISCSI_NODE, TargetPortalGroupTag) == 16);
static_assert(sizeof(ISCSI_NODE) == 18);

struct HARD_DRIVE_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 PartitionNumber;
  UINT64 PartitionStart;
  UINT64 PartitionSize;
  UINT8 Signature[16];
  UINT8 MBRType;
  UINT8 SignatureType;
};
static_assert(offsetof(HARD_DRIVE_NODE, PartitionNumber) == 4);
static_assert(offsetof(HARD_DRIVE_NODE, Signature) == 24);
static_assert(offsetof(HARD_DRIVE_NODE, MBRType) == 40);
static_assert(offsetof(HARD_DRIVE_NODE, SignatureType) == 41);
static_assert(sizeof(HARD_DRIVE_NODE) == 42);

struct CDROM_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 BootEntry;
  UINT64 PartitionStart;
  UINT64 PartitionSize;
};
static_assert(offsetof(CDROM_NODE, BootEntry) == 4);

// The path name, 16-bit characters, fills the rest of the node.
struct FILE_PATH_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
};
static_assert(sizeof(FILE_PATH_NODE) == 4);

// Media protocol, firmware volume and firmware file nodes: one GUID each.
struct GUID_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  EFI_GUID Guid;
};
static_assert(offsetof(GUID_NODE, Guid) == 4);

// UEFI puts a reserved 32-bit field between the header and the offsets.
struct RELATIVE_OFFSET_RANGE_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT32 Reserved;
  UINT64 StartingOffset;
  UINT64 EndingOffset;
};
static_assert(offsetof(RELATIVE_OFFSET_RANGE_NODE, StartingOffset) == 8);
static_assert(offsetof(RELATIVE_OFFSET_RANGE_NODE, EndingOffset) == 16);

// The description, zero-ended 8-bit text, follows.
struct BBS_NODE {
  EFI_DEVICE_PATH_PROTOCOL Header;
  UINT16 DeviceType;
  UINT16 StatusFlag;
};
static_assert(offsetof(BBS_NODE, DeviceType) == 4);
static_assert(offsetof(BBS_NODE, StatusFlag) == 6);
static_assert(sizeof(BBS_NODE) == 8);

#pragma pack(pop)
