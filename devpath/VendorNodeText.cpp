// Text of the hardware, messaging and media vendor nodes, with the messaging
// vendor GUIDs that UEFI gives a meaning of their own.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"
#include "runtime/Guid.h"

namespace {

VOID UartFlowControlText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  constexpr const CHAR16 *Names[] = {u"None", u"Hardware", u"XonXoff"};
  UINT64 Map = NodeU32(Node, offsetof(UART_FLOW_CONTROL_NODE, FlowControlMap)) & 0x3;
  // Both bits set names no flow control UEFI defines: such a node prints nothing.
  if (Map < 3) {
    PrintAppend(String, u"UartFlowCtrl(%s)", Names[Map]);
  }
}

// SAS device and topology information bits.
constexpr UINT64 SasTopologyMask = 0x0F;
constexpr UINT64 SasTopologyNone = 0;
constexpr UINT64 SasTopologyOneByte = 1;
constexpr UINT64 SasTopologyTwoBytes = 2;
constexpr UINT64 SasSataDevice = 0x10;
constexpr UINT64 SasExternal = 0x20;
constexpr UINT64 SasExpanded = 0x40;

VOID SasText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 Topology = NodeU16(Node, offsetof(SAS_NODE, DeviceTopology));

  PrintAppend(String, u"SAS(%lx,%lx,%x,", NodeU64(Node, offsetof(SAS_NODE, SasAddress)),
              NodeU64(Node, offsetof(SAS_NODE, Lun)), NodeU16(Node, offsetof(SAS_NODE, RelativeTargetPort)));
  UINT64 Kind = Topology & SasTopologyMask;
  if (Kind == SasTopologyNone) {
    PrintAppend(String, u"NoTopology,0,0,0,");
  } else if (Kind == SasTopologyOneByte || Kind == SasTopologyTwoBytes) {
    PrintAppend(String, u"%s,%s,%s,", (Topology & SasSataDevice) != 0 ? u"SATA" : u"SAS",
                (Topology & SasExternal) != 0 ? u"External" : u"Internal",
                (Topology & SasExpanded) != 0 ? u"Expanded" : u"Direct");
    if (Kind == SasTopologyOneByte) {
      PrintAppend(String, u"0,");
    } else {
      PrintAppend(String, u"%x,", Topology >> 8);
    }
  } else {
    PrintAppend(String, u"0,0,0,0,");
  }
  PrintAppend(String, u"%x)", NodeU32(Node, offsetof(SAS_NODE, Reserved)));
}

// A messaging vendor GUID with a text of its own: a fixed text, or a
// renderer for the fields that follow the GUID, which the node must then hold.
struct MESSAGING_VENDOR_KIND {
  const EFI_GUID *Guid;
  const CHAR16 *Text;
  DEVICE_PATH_NODE_RENDERER Renderer;
  UINT16 MinimumLength;
};

// Tested in this order; the first match decides.
constexpr MESSAGING_VENDOR_KIND MessagingVendorKinds[] = {
    {&PcAnsiTerminalGuid, u"VenPcAnsi()", nullptr, sizeof(VENDOR_NODE)},
    {&Vt100TerminalGuid, u"VenVt100()", nullptr, sizeof(VENDOR_NODE)},
    {&Vt100PlusTerminalGuid, u"VenVt100Plus()", nullptr, sizeof(VENDOR_NODE)},
    {&VtUtf8TerminalGuid, u"VenUft8()", nullptr, sizeof(VENDOR_NODE)},
    {&UartFlowControlGuid, nullptr, UartFlowControlText, NODE_FIELD_END(UART_FLOW_CONTROL_NODE, FlowControlMap)},
    {&SasDeviceGuid, nullptr, SasText, NODE_FIELD_END(SAS_NODE, RelativeTargetPort)},
    {&DebugPortGuid, u"DebugPort()", nullptr, sizeof(VENDOR_NODE)},
};

const MESSAGING_VENDOR_KIND *FindMessagingVendorKind(const EFI_GUID *Guid) {
  for (const MESSAGING_VENDOR_KIND &Kind : MessagingVendorKinds) {
    if (GuidCompare(Guid, Kind.Guid) == 0) {
      return &Kind;
    }
  }
  return nullptr;
}

// "Ven", the prefix, the GUID, and the vendor data as hex bytes.
VOID GenericVendorText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node, const CHAR16 *Prefix,
                       const EFI_GUID *Guid) {
  PrintAppend(String, u"Ven%s(%g", Prefix, Guid);
  UINTN DataLength = NodeLength(Node) - sizeof(VENDOR_NODE);
  if (DataLength != 0) {
    PrintAppend(String, u",");
    for (UINTN Index = 0; Index < DataLength; Index++) {
      PrintAppend(String, u"%02x", NodeU8(Node, sizeof(VENDOR_NODE) + Index));
    }
  }
  PrintAppend(String, u")");
}

}  // namespace

VOID VendorNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  EFI_GUID Guid = NodeGuid(Node, offsetof(VENDOR_NODE, Guid));
  UINT8 Type = static_cast<UINT8>(NodeU8(Node, offsetof(EFI_DEVICE_PATH_PROTOCOL, Type)) & 0x7F);

  if (Type == HardwareDevicePath) {
    GenericVendorText(String, Node, u"Hw", &Guid);
    return;
  }
  if (Type == MediaDevicePath) {
    GenericVendorText(String, Node, u"Media", &Guid);
    return;
  }
  // Only the table's messaging vendor row brings any other type here.
  const MESSAGING_VENDOR_KIND *Kind = FindMessagingVendorKind(&Guid);
  if (Kind == nullptr) {
    GenericVendorText(String, Node, u"Msg", &Guid);
  } else if (Kind->Renderer != nullptr) {
    Kind->Renderer(String, Node);
  } else {
    PrintAppend(String, Kind->Text);
  }
}

BOOLEAN MessagingVendorComplete(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength) {
  EFI_GUID Guid = NodeGuid(Node, offsetof(VENDOR_NODE, Guid));
  const MESSAGING_VENDOR_KIND *Kind = FindMessagingVendorKind(&Guid);
  return Kind == nullptr || NodeLength >= Kind->MinimumLength;
}
