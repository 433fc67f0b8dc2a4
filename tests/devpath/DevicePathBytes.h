// Device path bytes for tests: a builder that writes a node's fields
// little-endian and fills in its Length, and a block that holds a path at
// the very end of its heap allocation (and at an odd address), so that
// AddressSanitizer catches any read past the path.
#pragma once

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/DevicePath.h"

namespace devpath_test {

using Bytes = std::vector<UINT8>;

class Node {
 public:
  Node(UINT8 Type, UINT8 SubType) : Data{Type, SubType, 0, 0} {}

  Node &U8(UINT64 Value) { return Unsigned(Value, 1); }
  Node &U16(UINT64 Value) { return Unsigned(Value, 2); }
  Node &U32(UINT64 Value) { return Unsigned(Value, 4); }
  Node &U64(UINT64 Value) { return Unsigned(Value, 8); }
  Node &Raw(std::initializer_list<UINT8> Values) {
    Data.insert(Data.end(), Values);
    return *this;
  }
  Node &Zeros(size_t Count) {
    Data.insert(Data.end(), Count, 0);
    return *this;
  }
  Node &Guid(const EFI_GUID &Value) {
    U32(Value.Data1).U16(Value.Data2).U16(Value.Data3);
    Data.insert(Data.end(), Value.Data4, Value.Data4 + 8);
    return *this;
  }
  // 8-bit text with its zero byte, unless Ended is false.
  Node &Ascii(const std::string &Text, bool Ended = true) {
    Data.insert(Data.end(), Text.begin(), Text.end());
    if (Ended) Data.push_back(0);
    return *this;
  }
  // 16-bit text without a terminator.
  Node &Text16(const std::u16string &Text) {
    for (char16_t Unit : Text) U16(Unit);
    return *this;
  }
  // A Length field other than the node's real size.
  Node &Length(UINT16 Value) {
    LengthField = Value;
    HasLength = true;
    return *this;
  }

  operator Bytes() const {
    Bytes Out = Data;
    UINT16 Value = HasLength ? LengthField : static_cast<UINT16>(Out.size());
    Out[2] = static_cast<UINT8>(Value);
    Out[3] = static_cast<UINT8>(Value >> 8);
    return Out;
  }

 private:
  Node &Unsigned(UINT64 Value, size_t Width) {
    for (size_t Index = 0; Index < Width; Index++) Data.push_back(static_cast<UINT8>(Value >> (8 * Index)));
    return *this;
  }
  Bytes Data;
  UINT16 LengthField = 0;
  bool HasLength = false;
};

inline Bytes EndEntire() { return Node(EndDevicePath, EndEntireSubType); }
inline Bytes EndInstance() { return Node(EndDevicePath, EndInstanceSubType); }

// The nodes one after the other, as given (no end node is added).
inline Bytes Path(std::initializer_list<Bytes> Nodes) {
  Bytes Out;
  for (const Bytes &One : Nodes) Out.insert(Out.end(), One.begin(), One.end());
  return Out;
}

// The bytes copied to the end of a heap block of their own, one byte past
// an aligned start so that multi-byte fields are misaligned.
class TailBlock {
 public:
  explicit TailBlock(const Bytes &Content)
      : Length(Content.size()), Block(new UINT8[Content.size() + 1]) {
    if (Length != 0) std::memcpy(Block.get() + 1, Content.data(), Length);
  }
  const EFI_DEVICE_PATH_PROTOCOL *Path() const {
    return reinterpret_cast<const EFI_DEVICE_PATH_PROTOCOL *>(Block.get() + 1);
  }
  UINTN Size() const { return Length; }

 private:
  size_t Length;
  std::unique_ptr<UINT8[]> Block;
};

}  // namespace devpath_test
