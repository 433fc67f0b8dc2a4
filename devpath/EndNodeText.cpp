// Text of the end-of-instance node: the comma between two instances.
#include "devpath/NodeRenderers.h"
#include "print/Print.h"

VOID EndInstanceNodeText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *) { PrintAppend(String, u","); }
