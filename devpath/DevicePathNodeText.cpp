#include "devpath/DevicePathNodeText.h"

#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"

namespace {

constexpr UINT16 End(UINTN FieldEnd) { return static_cast<UINT16>(FieldEnd); }

}  // namespace

// The first row that matches a node's type and subtype decides; the end of
// the entire path has no row, and nor has any kind we print generically.
constexpr DEVICE_PATH_TEXT_ENTRY DevicePathNodeText[] = {
    {HardwareDevicePath, HardwarePciSubType, PciNodeText, End(NODE_FIELD_END(PCI_NODE, Device)), nullptr},
    {HardwareDevicePath, HardwarePcCardSubType, PcCardNodeText, End(NODE_FIELD_END(PCCARD_NODE, FunctionNumber)),
     nullptr},
    {HardwareDevicePath, HardwareMemMapSubType, MemMapNodeText, End(NODE_FIELD_END(MEMMAP_NODE, EndingAddress)),
     nullptr},
    {HardwareDevicePath, HardwareVendorSubType, VendorNodeText, End(sizeof(VENDOR_NODE)), nullptr},
    {HardwareDevicePath, HardwareControllerSubType, ControllerNodeText,
     End(NODE_FIELD_END(CONTROLLER_NODE, ControllerNumber)), nullptr},
    {AcpiDevicePath, AcpiSubType, AcpiNodeText, End(NODE_FIELD_END(ACPI_NODE, UID)), nullptr},
    {AcpiDevicePath, AcpiExpandedSubType, AcpiExNodeText, End(sizeof(ACPI_EXPANDED_NODE)), AcpiExStringsEnded},
    {AcpiDevicePath, AcpiAdrSubType, AcpiAdrNodeText, End(NODE_FIELD_END(ACPI_ADR_NODE, ADR)), nullptr},
    {MessagingDevicePath, MessagingAtapiSubType, AtapiNodeText, End(NODE_FIELD_END(ATAPI_NODE, SlaveMaster)),
     nullptr},
    {MessagingDevicePath, MessagingScsiSubType, ScsiNodeText, End(NODE_FIELD_END(SCSI_NODE, Lun)), nullptr},
    {MessagingDevicePath, MessagingFibreChannelSubType, FibreNodeText, End(NODE_FIELD_END(FIBRE_CHANNEL_NODE, Lun)),
     nullptr},
    {MessagingDevicePath, Messaging1394SubType, Ieee1394NodeText, End(NODE_FIELD_END(IEEE1394_NODE, Guid)), nullptr},
    {MessagingDevicePath, MessagingUsbSubType, UsbNodeText, End(NODE_FIELD_END(USB_NODE, InterfaceNumber)), nullptr},
    {MessagingDevicePath, MessagingUsbWwidSubType, UsbWwidNodeText, End(NODE_FIELD_END(USB_WWID_NODE, ProductId)),
     nullptr},
    {MessagingDevicePath, MessagingLogicalUnitSubType, LogicalUnitNodeText,
     End(NODE_FIELD_END(LOGICAL_UNIT_NODE, Lun)), nullptr},
    {MessagingDevicePath, MessagingUsbClassSubType, UsbClassNodeText,
     End(NODE_FIELD_END(USB_CLASS_NODE, DeviceProtocol)), nullptr},
    {MessagingDevicePath, MessagingSataSubType, SataNodeText, End(NODE_FIELD_END(SATA_NODE, Lun)), nullptr},
    {MessagingDevicePath, MessagingI2oSubType, I2oNodeText, End(NODE_FIELD_END(I2O_NODE, Tid)), nullptr},
    {MessagingDevicePath, MessagingMacAddressSubType, MacNodeText, End(NODE_FIELD_END(MAC_ADDRESS_NODE, IfType)),
     nullptr},
    {MessagingDevicePath, MessagingIpv4SubType, Ipv4NodeText, End(NODE_FIELD_END(IPV4_NODE, RemotePort)), nullptr},
    {MessagingDevicePath, MessagingIpv6SubType, Ipv6NodeText, End(NODE_FIELD_END(IPV6_NODE, RemoteIpAddress)),
     nullptr},
    {MessagingDevicePath, MessagingInfinibandSubType, InfinibandNodeText,
     End(NODE_FIELD_END(INFINIBAND_NODE, DeviceId)), nullptr},
    {MessagingDevicePath, MessagingUartSubType, UartNodeText, End(NODE_FIELD_END(UART_NODE, StopBits)), nullptr},
    {MessagingDevicePath, MessagingVendorSubType, VendorNodeText, End(sizeof(VENDOR_NODE)), MessagingVendorComplete},
    {MessagingDevicePath, MessagingIscsiSubType, IscsiNodeText, End(sizeof(ISCSI_NODE)), IscsiTargetNameEnded},
    {MediaDevicePath, MediaHardDriveSubType, HardDriveNodeText, End(NODE_FIELD_END(HARD_DRIVE_NODE, SignatureType)),
     nullptr},
    {MediaDevicePath, MediaCdromSubType, CdromNodeText, End(NODE_FIELD_END(CDROM_NODE, BootEntry)), nullptr},
    {MediaDevicePath, MediaVendorSubType, VendorNodeText, End(sizeof(VENDOR_NODE)), nullptr},
    {MediaDevicePath, MediaFilePathSubType, FilePathNodeText, End(sizeof(FILE_PATH_NODE)), nullptr},
    {MediaDevicePath, MediaProtocolSubType, MediaProtocolNodeText, End(NODE_FIELD_END(GUID_NODE, Guid)), nullptr},
    {MediaDevicePath, MediaFirmwareVolumeSubType, FvNodeText, End(NODE_FIELD_END(GUID_NODE, Guid)), nullptr},
    {MediaDevicePath, MediaFirmwareFileSubType, FvFileNodeText, End(NODE_FIELD_END(GUID_NODE, Guid)), nullptr},
    {MediaDevicePath, MediaRelativeOffsetRangeSubType, OffsetNodeText,
     End(NODE_FIELD_END(RELATIVE_OFFSET_RANGE_NODE, EndingOffset)), nullptr},
    {BbsDevicePath, BbsBbsSubType, BbsNodeText, End(sizeof(BBS_NODE)), BbsDescriptionEnded},
    {EndDevicePath, EndInstanceSubType, EndInstanceNodeText, End(sizeof(EFI_DEVICE_PATH_PROTOCOL)), nullptr},
    {0, 0, nullptr, 0, nullptr},
};
