// Text of the ACPI nodes.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"
#include "runtime/Strings.h"

namespace {

// The compressed EISA form of the vendor letters "PNP" in a HID's low half.
constexpr UINT64 PnpEisaId = 0x41D0;

bool IsPnpId(UINT64 Id) { return (Id & 0xFFFF) == PnpEisaId; }

// An EISA-style ID followed by a comma: PNP and the product number, or the
// whole value.
VOID AppendEisaId(POOL_STRING *String, UINT64 Id) {
  if (IsPnpId(Id)) {
    PrintAppend(String, u"PNP%04x,", Id >> 16);
  } else {
    PrintAppend(String, u"%08x,", Id);
  }
}

const CHAR8 *NodeString(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) {
  return reinterpret_cast<const CHAR8 *>(NodeBytes(Node) + Offset);
}

// An expanded ACPI string, or NULL when it is empty, then Closing.
VOID AppendAcpiExString(POOL_STRING *String, const CHAR8 *Text, const CHAR16 *Closing) {
  if (Text[0] != 0) {
    PrintAppend(String, u"%a%s", Text, Closing);
  } else {
    PrintAppend(String, u"NULL%s", Closing);
  }
}

}  // namespace

VOID AcpiNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 Hid = NodeU32(Node, offsetof(ACPI_NODE, HID));
  UINT64 Uid = NodeU32(Node, offsetof(ACPI_NODE, UID));
  if (IsPnpId(Hid)) {
    PrintAppend(String, u"Acpi(PNP%04x,%x)", Hid >> 16, Uid);
  } else {
    PrintAppend(String, u"Acpi(%08x,%x)", Hid, Uid);
  }
}

VOID AcpiExNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  // The node stores the strings as HID, UID, CID; the text shows HID, CID, UID.
  const CHAR8 *HidString = NodeString(Node, sizeof(ACPI_EXPANDED_NODE));
  const CHAR8 *UidString = HidString + AsciiStrLength(HidString) + 1;
  const CHAR8 *CidString = UidString + AsciiStrLength(UidString) + 1;

  PrintAppend(String, u"AcpiEx(");
  AppendEisaId(String, NodeU32(Node, offsetof(ACPI_EXPANDED_NODE, HID)));
  AppendEisaId(String, NodeU32(Node, offsetof(ACPI_EXPANDED_NODE, CID)));
  PrintAppend(String, u"%x,", NodeU32(Node, offsetof(ACPI_EXPANDED_NODE, UID)));
  AppendAcpiExString(String, HidString, u",");
  AppendAcpiExString(String, CidString, u",");
  AppendAcpiExString(String, UidString, u")");
}

BOOLEAN AcpiExStringsEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength) {
  UINTN Offset = sizeof(ACPI_EXPANDED_NODE);
  for (int Index = 0; Index < 3; Index++) {
    Offset = NodeStringEnd(Node, Offset, NodeLength);
    if (Offset == 0) {
      return FALSE;
    }
  }
  return TRUE;
}

VOID AcpiAdrNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"AcpiAdr(%x", NodeU32(Node, offsetof(ACPI_ADR_NODE, ADR)));
  // Every whole 32-bit value behind the first is a further address.
  UINTN Further = (NodeLength(Node) - sizeof(ACPI_ADR_NODE)) / 4;
  for (UINTN Index = 0; Index < Further; Index++) {
    PrintAppend(String, u",%x", NodeU32(Node, sizeof(ACPI_ADR_NODE) + 4 * Index));
  }
  PrintAppend(String, u")");
}
