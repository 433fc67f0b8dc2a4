// Text of the media nodes other than the vendor node.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"
#include "runtime/Memory.h"
#include "runtime/Pool.h"
#include "runtime/Strings.h"

namespace {

// Hard drive signature types.
constexpr UINT64 SignatureMbr = 1;
constexpr UINT64 SignatureGuid = 2;

VOID AppendGuidNode(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node, const CHAR16 *Format) {
  EFI_GUID Guid = NodeGuid(Node, offsetof(GUID_NODE, Guid));
  PrintAppend(String, Format, &Guid);
}

}  // namespace

VOID HardDriveNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  UINT64 Partition = NodeU32(Node, offsetof(HARD_DRIVE_NODE, PartitionNumber));
  UINT64 SignatureType = NodeU8(Node, offsetof(HARD_DRIVE_NODE, SignatureType));

  if (SignatureType == SignatureMbr) {
    PrintAppend(String, u"HD(Part%d,Sig%08x)", Partition, NodeU32(Node, offsetof(HARD_DRIVE_NODE, Signature)));
  } else if (SignatureType == SignatureGuid) {
    EFI_GUID Signature = NodeGuid(Node, offsetof(HARD_DRIVE_NODE, Signature));
    PrintAppend(String, u"HD(Part%d,Sig%g)", Partition, &Signature);
  } else {
    PrintAppend(String, u"HD(Part%d,MBRType=%02x,SigType=%02x)", Partition,
                NodeU8(Node, offsetof(HARD_DRIVE_NODE, MBRType)), SignatureType);
  }
}

VOID CdromNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"CDROM(Entry%x)", NodeU32(Node, offsetof(CDROM_NODE, BootEntry)));
}

VOID FilePathNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  // Whole characters only: an odd last byte is half a character, and with it
  // the terminator below would end half outside the block.
  UINTN PathSize = (NodeLength(Node) - sizeof(FILE_PATH_NODE)) & ~static_cast<UINTN>(1);
  // Two zero bytes beyond the copy end the text even when the node's own
  // text has no terminator. Without the block the node appends nothing.
  CHAR16 *Path = static_cast<CHAR16 *>(PoolAllocateZero(PathSize + 2));
  if (Path == nullptr) {
    return;
  }
  MemCopy(Path, NodeBytes(Node) + sizeof(FILE_PATH_NODE), PathSize);
  StrTrimChar(Path, u' ');
  PrintAppend(String, u"%s", Path);
  PoolFree(Path);
}

VOID MediaProtocolNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  AppendGuidNode(String, Node, u"Media(%g)");
}

VOID FvNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) { AppendGuidNode(String, Node, u"Fv(%g)"); }

VOID FvFileNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) { AppendGuidNode(String, Node, u"%g"); }

VOID OffsetNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Offset(%lx,%lx)", NodeU64(Node, offsetof(RELATIVE_OFFSET_RANGE_NODE, StartingOffset)),
              NodeU64(Node, offsetof(RELATIVE_OFFSET_RANGE_NODE, EndingOffset)));
}
