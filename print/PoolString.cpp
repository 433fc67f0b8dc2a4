#include "print/PoolString.h"

#include "runtime/Memory.h"
#include "runtime/Pool.h"
#include "runtime/Strings.h"

constexpr UINTN PoolStringSpare = 1024;

EFI_STATUS BufferAppend(POOL_STRING *String, const CHAR16 *Text) {
  UINTN Count = StrLength(Text);
  if (String->Length + Count > String->Capacity) {
    Count = String->Capacity - String->Length;
  }
  if (Count != 0) {
    MemCopy(String->Str + String->Length, Text, Count * sizeof(CHAR16));
    String->Length += Count;
  }
  if (String->Capacity != 0) {
    String->Str[String->Length] = 0;
  }
  return EFI_SUCCESS;
}

EFI_STATUS PoolStringAppend(POOL_STRING *String, const CHAR16 *Text) {
  UINTN Need = String->Length + StrLength(Text) + 1;
  if (Need > String->Capacity) {
    String->Capacity = Need + PoolStringSpare;
    // PoolReallocate frees the old block also when it fails.
    String->Str = static_cast<CHAR16 *>(
        PoolReallocate(String->Str, String->Length * sizeof(CHAR16), String->Capacity * sizeof(CHAR16)));
    if (String->Str == nullptr) {
      String->Length = 0;
      String->Capacity = 0;
    }
  }
  return BufferAppend(String, Text);
}
