#include "runtime/Strings.h"

#include "runtime/Memory.h"

UINTN StrLength(const CHAR16 *String) {
  UINTN Length = 0;
  while (String[Length] != 0) {
    Length++;
  }
  return Length;
}

VOID StrCopy(CHAR16 *Destination, const CHAR16 *Source) {
  UINTN Index = 0;
  do {
    Destination[Index] = Source[Index];
  } while (Source[Index++] != 0);
}

VOID StrTrimChar(CHAR16 *String, CHAR16 Character) {
  if (String[0] == 0) {
    return;
  }
  UINTN Lead = 0;
  while (String[Lead] == Character) {
    Lead++;
  }
  if (Lead != 0) {
    MemCopy(String, String + Lead, (StrLength(String + Lead) + 1) * sizeof(CHAR16));
  }
  UINTN End = StrLength(String);
  while (End > 0 && String[End - 1] == Character) {
    End--;
  }
  String[End] = 0;
}

UINTN AsciiStrLength(const CHAR8 *String) {
  UINTN Length = 0;
  while (String[Length] != 0) {
    Length++;
  }
  return Length;
}

INTN AsciiStrNCompare(const CHAR8 *First, const CHAR8 *Second, UINTN Limit) {
  while (*First != 0) {
    if (Limit == 0) {
      return 0;
    }
    if (*First != *Second) {
      break;
    }
    First++;
    Second++;
    Limit--;
  }
  if (Limit == 0) {
    return 0;
  }
  return static_cast<INTN>(static_cast<UINT8>(*First)) - static_cast<INTN>(static_cast<UINT8>(*Second));
}
