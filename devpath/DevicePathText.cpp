#include "devpath/DevicePathText.h"

#include "devpath/NodeFields.h"
#include "print/Print.h"

namespace {

bool IsEndNode(const EFI_DEVICE_PATH_PROTOCOL *Node, UINT8 SubType) {
  return Node->Type == EndDevicePath && Node->SubType == SubType;
}

// Whether a node that the walk has reached lies whole inside the memory left.
bool NodeFits(UINTN NodeSize, UINTN Remaining) {
  return NodeSize >= sizeof(EFI_DEVICE_PATH_PROTOCOL) && NodeSize <= Remaining;
}

// Whether the node holds everything its row's renderer reads. A string not
// ended inside its node makes the node malformed: cutting it at the node's
// end would print a name that the node does not hold.
bool NodeHoldsFields(const DEVICE_PATH_TEXT_ENTRY *Entry, const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeSize) {
  if (NodeSize < Entry->MinimumLength) {
    return false;
  }
  return Entry->IsComplete == nullptr || Entry->IsComplete(Node, NodeSize);
}

// A node without a row: its type, subtype and data bytes in hex, so that
// nothing of it is hidden.
VOID GenericNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Path(%x,%x", NodeU8(Node, offsetof(EFI_DEVICE_PATH_PROTOCOL, Type)),
              NodeU8(Node, offsetof(EFI_DEVICE_PATH_PROTOCOL, SubType)));
  UINTN Size = NodeLength(Node);
  if (Size > sizeof(EFI_DEVICE_PATH_PROTOCOL)) {
    PrintAppend(String, u",");
    for (UINTN Index = sizeof(EFI_DEVICE_PATH_PROTOCOL); Index < Size; Index++) {
      PrintAppend(String, u"%02x", NodeU8(Node, Index));
    }
  }
  PrintAppend(String, u")");
}

// A failed growth drops the whole string; later appends start a new one.
// The walk keeps a block in the string, so a drop shows as a null Str or as
// text shorter than before the node.
bool TextLost(const POOL_STRING *String, UINTN LengthBefore) {
  return String->Str == nullptr || String->Length < LengthBefore;
}

VOID TakeBackSeparator(POOL_STRING *String, UINTN Length) {
  String->Length = Length;
  String->Str[Length] = 0;
}

}  // namespace

const DEVICE_PATH_TEXT_ENTRY *FindDevicePathTextEntry(UINT8 Type, UINT8 SubType) {
  for (const DEVICE_PATH_TEXT_ENTRY *Entry = DevicePathNodeText; Entry->Type != 0 || Entry->SubType != 0; Entry++) {
    if (Entry->Type == Type && Entry->SubType == SubType) {
      return Entry;
    }
  }
  return nullptr;
}

EFI_STATUS AppendDevicePathText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Path, UINTN Size) {
  if (String == nullptr || Path == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  // An empty string gets its block first (an empty append does that), so
  // that a string dropped later can be told from one never grown.
  if (String->Str == nullptr) {
    PrintAppend(String, u"");
    if (String->Str == nullptr) {
      return EFI_OUT_OF_RESOURCES;
    }
  }
  const UINT8 *Bytes = NodeBytes(Path);
  UINTN Offset = 0;
  // Nodes of one instance are parted by "/"; the end-of-instance node's own
  // comma parts instances, with no "/" on either side of it.
  bool PartFromPrevious = false;

  for (;;) {
    UINTN Remaining = Size - Offset;
    if (Remaining < sizeof(EFI_DEVICE_PATH_PROTOCOL)) {
      return EFI_INVALID_PARAMETER;
    }
    const EFI_DEVICE_PATH_PROTOCOL *Node = reinterpret_cast<const EFI_DEVICE_PATH_PROTOCOL *>(Bytes + Offset);
    UINTN NodeSize = NodeLength(Node);
    if (!NodeFits(NodeSize, Remaining)) {
      return EFI_INVALID_PARAMETER;
    }
    if (IsEndNode(Node, EndEntireSubType)) {
      return EFI_SUCCESS;
    }
    const DEVICE_PATH_TEXT_ENTRY *Entry = FindDevicePathTextEntry(Node->Type, Node->SubType);
    if (Entry != nullptr && !NodeHoldsFields(Entry, Node, NodeSize)) {
      return EFI_INVALID_PARAMETER;
    }

    UINTN LengthBefore = String->Length;
    bool EndsInstance = IsEndNode(Node, EndInstanceSubType);
    if (PartFromPrevious && !EndsInstance) {
      PrintAppend(String, u"/");
    }
    UINTN LengthAfterSeparator = String->Length;
    if (Entry != nullptr) {
      Entry->Renderer(String, Node);
    } else {
      GenericNodeText(String, Node);
    }
    if (TextLost(String, LengthBefore)) {
      return EFI_OUT_OF_RESOURCES;
    }
    if (String->Length == LengthAfterSeparator) {
      // A node with no text (flow control 3, an empty file path) takes back
      // its separator, so that no "//" appears.
      TakeBackSeparator(String, LengthBefore);
    } else {
      PartFromPrevious = !EndsInstance;
    }
    Offset += NodeSize;
  }
}
