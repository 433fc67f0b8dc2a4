#include "runtime/Memory.h"

VOID MemCopy(VOID *Destination, const VOID *Source, UINTN Length) {
  UINT8 *To = static_cast<UINT8 *>(Destination);
  const UINT8 *From = static_cast<const UINT8 *>(Source);
  if (From < To && To < From + Length) {
    while (Length-- > 0) {
      To[Length] = From[Length];
    }
    return;
  }
  for (UINTN Index = 0; Index < Length; Index++) {
    To[Index] = From[Index];
  }
}

VOID MemSet(VOID *Buffer, UINTN Length, UINT8 Value) {
  UINT8 *Bytes = static_cast<UINT8 *>(Buffer);
  for (UINTN Index = 0; Index < Length; Index++) {
    Bytes[Index] = Value;
  }
}
