// Text of the BBS node.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"

namespace {

struct BBS_DEVICE_TYPE_NAME {
  UINT64 DeviceType;
  const CHAR16 *Name;
};

constexpr BBS_DEVICE_TYPE_NAME BbsDeviceTypeNames[] = {
    {0x01, u"Floppy"}, {0x02, u"Harddrive"}, {0x03, u"CDROM"}, {0x04, u"PCMCIA"},
    {0x05, u"Usb"},    {0x06, u"Net"},       {0x80, u"BEV"},
};

const CHAR16 *BbsDeviceTypeName(UINT64 DeviceType) {
  for (const BBS_DEVICE_TYPE_NAME &Entry : BbsDeviceTypeNames) {
    if (Entry.DeviceType == DeviceType) {
      return Entry.Name;
    }
  }
  return u"?";
}

}  // namespace

VOID BbsNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"BBS-%s(%a)", BbsDeviceTypeName(NodeU16(Node, offsetof(BBS_NODE, DeviceType))),
              reinterpret_cast<const CHAR8 *>(NodeBytes(Node) + sizeof(BBS_NODE)));
}

BOOLEAN BbsDescriptionEnded(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength) {
  return NodeStringEnd(Node, sizeof(BBS_NODE), NodeLength) != 0;
}
