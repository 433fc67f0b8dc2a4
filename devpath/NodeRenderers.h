// The node renderers and node checks that the rows of DevicePathNodeText
// point to. Each renderer appends one node's text to the string and reads
// only the fields its row's minimum length and check vouch for.
#pragma once

#include "devpath/DevicePathNodeText.h"

// Hardware nodes.
VOID PciNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID PcCardNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID MemMapNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID ControllerNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);

// ACPI nodes.
VOID AcpiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID AcpiExNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID AcpiAdrNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
BOOLEAN AcpiExStringsEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength);

// Messaging nodes.
VOID AtapiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID ScsiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID FibreNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID Ieee1394NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID UsbNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID UsbWwidNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID LogicalUnitNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID UsbClassNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID SataNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID I2oNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID MacNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID Ipv4NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID Ipv6NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID InfinibandNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID UartNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID IscsiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
BOOLEAN IscsiTargetNameEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength);

// Vendor nodes of the hardware, messaging and media types.
VOID VendorNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
BOOLEAN MessagingVendorComplete(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength);

// Media nodes.
VOID HardDriveNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID CdromNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID FilePathNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID MediaProtocolNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID FvNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID FvFileNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
VOID OffsetNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);

// BBS and end nodes.
VOID BbsNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
BOOLEAN BbsDescriptionEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength);
VOID EndInstanceNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);
