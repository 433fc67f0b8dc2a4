// Reading a device path node's fields by byte offset. Nodes lie at any
// address and their fields are little-endian, so every read goes byte by
// byte; integer readers widen to 64 bits, the width the format engine takes
// each value at.
#pragma once

#include "platform/DevicePath.h"

// The byte just past a field of a node record: how long a node must be for
// that field to be read.
#define NODE_FIELD_END(Record, Field) (offsetof(Record, Field) + sizeof(Record::Field))

inline const UINT8 *NodeBytes(const EFI_DEVICE_PATH_PROTOCOL *Node) { return reinterpret_cast<const UINT8 *>(Node); }

inline UINT64 NodeUnsigned(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset, UINTN Width) {
  const UINT8 *Bytes = NodeBytes(Node) + Offset;
  UINT64 Value = 0;
  for (UINTN Index = Width; Index > 0; Index--) {
    Value = (Value << 8) | Bytes[Index - 1];
  }
  return Value;
}

inline UINT64 NodeU8(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) { return NodeBytes(Node)[Offset]; }
inline UINT64 NodeU16(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) { return NodeUnsigned(Node, Offset, 2); }
inline UINT64 NodeU32(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) { return NodeUnsigned(Node, Offset, 4); }
inline UINT64 NodeU64(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) { return NodeUnsigned(Node, Offset, 8); }

// The node's Length field: the whole node in bytes, header included.
inline UINTN NodeLength(const EFI_DEVICE_PATH_PROTOCOL *Node) {
  return static_cast<UINTN>(NodeU16(Node, offsetof(EFI_DEVICE_PATH_PROTOCOL, Length)));
}

// A GUID copied out of the node, so that it can be printed or compared
// through an aligned pointer.
inline EFI_GUID NodeGuid(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset) {
  EFI_GUID Guid;
  Guid.Data1 = static_cast<UINT32>(NodeU32(Node, Offset));
  Guid.Data2 = static_cast<UINT16>(NodeU16(Node, Offset + 4));
  Guid.Data3 = static_cast<UINT16>(NodeU16(Node, Offset + 6));
  for (UINTN Index = 0; Index < 8; Index++) {
    Guid.Data4[Index] = NodeBytes(Node)[Offset + 8 + Index];
  }
  return Guid;
}

// The offset just past the zero byte that ends the 8-bit string starting at
// Offset, or 0 when no zero byte lies before the node's end (NodeSize).
inline UINTN NodeStringEnd(const EFI_DEVICE_PATH_PROTOCOL *Node, UINTN Offset, UINTN NodeSize) {
  for (UINTN Index = Offset; Index < NodeSize; Index++) {
    if (NodeBytes(Node)[Index] == 0) {
      return Index + 1;
    }
  }
  return 0;
}
