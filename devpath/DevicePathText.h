// The text of a whole device path: every node through the node table, "/"
// between the nodes of one instance (none for a node with no text), ","
// between instances. A node without a row prints as Path(type,subtype,data)
// in hex, for example Path(3,1E,0A0B).
#pragma once

#include "devpath/DevicePathNodeText.h"
#include "platform/EfiStatus.h"

// Appends the text of the path at Path to String. Size is how many bytes of
// memory hold the path from Path on; no byte outside them, nor outside a
// node, is read. The walk ends at the end-of-entire-path node with
// EFI_SUCCESS. A malformed node (Length under 4, a node reaching past Size, a
// node shorter than what its row reads, a string not ended inside it) ends
// the walk with EFI_INVALID_PARAMETER, as does a path that runs out before
// its end node; the text of the nodes before it stays in String. An empty
// String gets its pool block before the first node; when a failed growth
// drops the string, the walk ends with EFI_OUT_OF_RESOURCES.
EFI_STATUS AppendDevicePathText(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Path, UINTN Size);

// The first row of DevicePathNodeText for the type and subtype, or null.
const DEVICE_PATH_TEXT_ENTRY *FindDevicePathTextEntry(UINT8 Type, UINT8 SubType);
