// Text of the hardware nodes other than the vendor node.
#include "devpath/NodeFields.h"
#include "devpath/NodeRenderers.h"
#include "print/Print.h"

VOID PciNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Pci(%x|%x)", NodeU8(Node, offsetof(PCI_NODE, Device)),
              NodeU8(Node, offsetof(PCI_NODE, Function)));
}

VOID PcCardNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Pccard(Function%x)", NodeU8(Node, offsetof(PCCARD_NODE, FunctionNumber)));
}

VOID MemMapNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"MemMap(%d:%lx-%lx)", NodeU32(Node, offsetof(MEMMAP_NODE, MemoryType)),
              NodeU64(Node, offsetof(MEMMAP_NODE, StartingAddress)),
              NodeU64(Node, offsetof(MEMMAP_NODE, EndingAddress)));
}

VOID ControllerNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node) {
  PrintAppend(String, u"Ctrl(%d)", NodeU32(Node, offsetof(CONTROLLER_NODE, ControllerNumber)));
}
