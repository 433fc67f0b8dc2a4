// Text of the messaging nodes other than the vendor node.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"

namespace {

// UEFI's interface types 0 (experimental Ethernet) and 1 (Ethernet) carry a
// 6-byte address; every other type fills the whole 32-byte field.
UINTN MacAddressLength(UINT64 IfType) { return IfType <= 1 ? 6 : 32; }

CHAR16 ParityLetter(UINT64 Parity) {
  constexpr CHAR16 Letters[] = u"DNEOMS";
  return Parity < 6 ? Letters[Parity] : u'x';
}

const CHAR16 *StopBitsText(UINT64 StopBits) {
  constexpr const CHAR16 *Texts[] = {u"D)", u"1)", u"1.5)", u"2)"};
  return StopBits < 4 ? Texts[StopBits] : u"x)";
}

// iSCSI login option bits.
constexpr UINT64 IscsiHeaderDigestCrc32c = 0x0002;
constexpr UINT64 IscsiDataDigestCrc32c = 0x0008;
constexpr UINT64 IscsiAuthenticationNone = 0x0800;
constexpr UINT64 IscsiChapUnidirectional = 0x1000;

const CHAR16 *DigestText(UINT64 Options, UINT64 Crc32cBit) { return (Options & Crc32cBit) != 0 ? u"CRC32C" : u"None"; }

const CHAR16 *AuthenticationText(UINT64 Options) {
  if ((Options & IscsiAuthenticationNone) != 0) {
    return u"None";
  }
  return (Options & IscsiChapUnidirectional) != 0 ? u"CHAP_UNI" : u"CHAP_BI";
}

// SATA: this bit in the port multiplier port says the HBA port is direct.
constexpr UINT64 SataNoPortMultiplier = 0x8000;

}  // namespace

VOID AtapiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Ata(%s,%s)",
              NodeU8(Node, offsetof(ATAPI_NODE, PrimarySecondary)) != 0 ? u"Secondary" : u"Primary",
              NodeU8(Node, offsetof(ATAPI_NODE, SlaveMaster)) != 0 ? u"Slave" : u"Master");
}

VOID ScsiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Scsi(Pun%x,Lun%x)", NodeU16(Node, offsetof(SCSI_NODE, Pun)),
              NodeU16(Node, offsetof(SCSI_NODE, Lun)));
}

VOID FibreNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Fibre(Wwn%lx,Lun%lx)", NodeU64(Node, offsetof(FIBRE_CHANNEL_NODE, WWN)),
              NodeU64(Node, offsetof(FIBRE_CHANNEL_NODE, Lun)));
}

VOID Ieee1394NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"1394(%lx)", NodeU64(Node, offsetof(IEEE1394_NODE, Guid)));
}

VOID UsbNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Usb(%x,%x)", NodeU8(Node, offsetof(USB_NODE, ParentPortNumber)),
              NodeU8(Node, offsetof(USB_NODE, InterfaceNumber)));
}

VOID UsbWwidNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"UsbWwid(%x,%x,%x,\"WWID\")", NodeU16(Node, offsetof(USB_WWID_NODE, VendorId)),
              NodeU16(Node, offsetof(USB_WWID_NODE, ProductId)),
              NodeU16(Node, offsetof(USB_WWID_NODE, InterfaceNumber)));
}

VOID LogicalUnitNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Unit(%x)", NodeU8(Node, offsetof(LOGICAL_UNIT_NODE, Lun)));
}

VOID UsbClassNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Usb Class(%x,%x,%x,%x,%x)", NodeU16(Node, offsetof(USB_CLASS_NODE, VendorId)),
              NodeU16(Node, offsetof(USB_CLASS_NODE, ProductId)),
              NodeU8(Node, offsetof(USB_CLASS_NODE, DeviceClass)),
              NodeU8(Node, offsetof(USB_CLASS_NODE, DeviceSubClass)),
              NodeU8(Node, offsetof(USB_CLASS_NODE, DeviceProtocol)));
}

VOID SataNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 HbaPort = NodeU16(Node, offsetof(SATA_NODE, HBAPortNumber));
  UINT64 MultiplierPort = NodeU16(Node, offsetof(SATA_NODE, PortMultiplierPortNumber));
  UINT64 Lun = NodeU16(Node, offsetof(SATA_NODE, Lun));
  if ((MultiplierPort & SataNoPortMultiplier) != 0) {
    PrintAppend(String, u"Sata(%x,%x)", HbaPort, Lun);
  } else {
    PrintAppend(String, u"Sata(%x,%x,%x)", HbaPort, MultiplierPort, Lun);
  }
}

VOID I2oNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"I2O(%x)", NodeU32(Node, offsetof(I2O_NODE, Tid)));
}

VOID MacNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINTN Length = MacAddressLength(NodeU8(Node, offsetof(MAC_ADDRESS_NODE, IfType)));
  PrintAppend(String, u"Mac(");
  for (UINTN Index = 0; Index < Length; Index++) {
    PrintAppend(String, u"%02x", NodeU8(Node, offsetof(MAC_ADDRESS_NODE, MacAddress) + Index));
  }
  PrintAppend(String, u")");
}

VOID Ipv4NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  constexpr UINTN Remote = offsetof(IPV4_NODE, RemoteIpAddress);
  PrintAppend(String, u"IPv4(%d.%d.%d.%d:%d)", NodeU8(Node, Remote), NodeU8(Node, Remote + 1),
              NodeU8(Node, Remote + 2), NodeU8(Node, Remote + 3), NodeU16(Node, offsetof(IPV4_NODE, RemotePort)));
}

VOID Ipv6NodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  constexpr UINTN R = offsetof(IPV6_NODE, RemoteIpAddress);
  PrintAppend(String, u"IPv6(%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x)",
              NodeU8(Node, R + 0), NodeU8(Node, R + 1), NodeU8(Node, R + 2), NodeU8(Node, R + 3),
              NodeU8(Node, R + 4), NodeU8(Node, R + 5), NodeU8(Node, R + 6), NodeU8(Node, R + 7),
              NodeU8(Node, R + 8), NodeU8(Node, R + 9), NodeU8(Node, R + 10), NodeU8(Node, R + 11),
              NodeU8(Node, R + 12), NodeU8(Node, R + 13), NodeU8(Node, R + 14), NodeU8(Node, R + 15));
}

VOID InfinibandNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  EFI_GUID PortGid = NodeGuid(Node, offsetof(INFINIBAND_NODE, PortGid));
  PrintAppend(String, u"Infiniband(%x,%g,%lx,%lx,%lx)", NodeU32(Node, offsetof(INFINIBAND_NODE, ResourceFlags)),
              &PortGid, NodeU64(Node, offsetof(INFINIBAND_NODE, ServiceId)),
              NodeU64(Node, offsetof(INFINIBAND_NODE, TargetPortId)),
              NodeU64(Node, offsetof(INFINIBAND_NODE, DeviceId)));
}

VOID UartNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 BaudRate = NodeU64(Node, offsetof(UART_NODE, BaudRate));
  UINT64 DataBits = NodeU8(Node, offsetof(UART_NODE, DataBits));
  CHAR16 Parity = ParityLetter(NodeU8(Node, offsetof(UART_NODE, Parity)));

  if (BaudRate == 0) {
    PrintAppend(String, u"Uart(DEFAULT,%c,", Parity);
  } else {
    PrintAppend(String, u"Uart(%ld,%c,", BaudRate, Parity);
  }
  if (DataBits == 0) {
    PrintAppend(String, u"D,");
  } else {
    PrintAppend(String, u"%d,", DataBits);
  }
  PrintAppend(String, StopBitsText(NodeU8(Node, offsetof(UART_NODE, StopBits))));
}

VOID IscsiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 Options = NodeU16(Node, offsetof(ISCSI_NODE, LoginOption));
  const CHAR8 *TargetName = reinterpret_cast<const CHAR8 *>(NodeBytes(Node) + sizeof(ISCSI_NODE));

  PrintAppend(String, u"iSCSI(%a,%x,%lx,", TargetName, NodeU16(Node, offsetof(ISCSI_NODE, TargetPortalGroupTag)),
              NodeU64(Node, offsetof(ISCSI_NODE, Lun)));
  PrintAppend(String, u"%s,", DigestText(Options, IscsiHeaderDigestCrc32c));
  PrintAppend(String, u"%s,", DigestText(Options, IscsiDataDigestCrc32c));
  PrintAppend(String, u"%s,", AuthenticationText(Options));
  PrintAppend(String, u"%s)", NodeU16(Node, offsetof(ISCSI_NODE, NetworkProtocol)) == 0 ? u"TCP" : u"reserved");
}

BOOLEAN IscsiTargetNameEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength) {
  return NodeStringEnd(Node, sizeof(ISCSI_NODE), NodeLength) != 0;
}
