#include "runtime/BuiltinCollation.h"

#include "runtime/CharCase.h"
#include "runtime/WildcardMatch.h"

// No FAT conversions and no language list: nothing selects the built-in
// interface by language, it is simply what remains when nothing binds.
constinit EFI_UNICODE_COLLATION_PROTOCOL BuiltinCollation = {
    .StriColl = BuiltinStriColl,
    .MetaiMatch = BuiltinMetaiMatch,
    .StrLwr = BuiltinStrLwr,
    .StrUpr = BuiltinStrUpr,
    .FatToStr = nullptr,
    .StrToFat = nullptr,
    .SupportedLanguages = nullptr,
};

INTN EFIAPI BuiltinStriColl(EFI_UNICODE_COLLATION_PROTOCOL *, CHAR16 *Str1, CHAR16 *Str2) {
  while (*Str1 != 0 && CharToUpper(*Str1) == CharToUpper(*Str2)) {
    Str1++;
    Str2++;
  }
  return static_cast<INTN>(CharToUpper(*Str1)) - static_cast<INTN>(CharToUpper(*Str2));
}

BOOLEAN EFIAPI BuiltinMetaiMatch(EFI_UNICODE_COLLATION_PROTOCOL *, CHAR16 *String, CHAR16 *Pattern) {
  return WildcardMatch(String, Pattern);
}

VOID EFIAPI BuiltinStrLwr(EFI_UNICODE_COLLATION_PROTOCOL *, CHAR16 *Str) {
  for (; *Str != 0; Str++) {
    *Str = CharToLower(*Str);
  }
}

VOID EFIAPI BuiltinStrUpr(EFI_UNICODE_COLLATION_PROTOCOL *, CHAR16 *Str) {
  for (; *Str != 0; Str++) {
    *Str = CharToUpper(*Str);
  }
}
