// The device path node table: each node kind that has a text of its own, the
// renderer that appends that text, and what a node of that kind must hold
// before its renderer may read it.
#pragma once

#include "platform/DevicePath.h"
#include "print/PoolString.h"

// Appends the text of one node. The node is well formed (see below).
typedef VOID (*DEVICE_PATH_NODE_RENDERER)(POOL_STRING *String, const EFI_DEVICE_PATH_PROTOCOL *Node);

// True when a node of NodeLength bytes holds every field its renderer reads
// beyond the fixed ones: strings ended inside the node, the tail of a
// special vendor node.
typedef BOOLEAN (*DEVICE_PATH_NODE_CHECK)(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN NodeLength);

struct DEVICE_PATH_TEXT_ENTRY {
  UINT8 Type;
  UINT8 SubType;
  DEVICE_PATH_NODE_RENDERER Renderer;
  // The renderer reads the node up to here; a shorter node is malformed.
  UINT16 MinimumLength;
  // Null where the minimum length says everything.
  DEVICE_PATH_NODE_CHECK IsComplete;
};

// Ends with a row whose Type and SubType are 0 and whose renderer is null.
extern const DEVICE_PATH_TEXT_ENTRY DevicePathNodeText[];
