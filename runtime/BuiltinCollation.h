// The collation interface in force until a firmware instance is bound: the
// protocol's layout with ASCII-only rules of the library's own.
#pragma once

#include "platform/UnicodeCollation.h"

extern EFI_UNICODE_COLLATION_PROTOCOL BuiltinCollation;

// The interface pointer is ignored by all four.
INTN EFIAPI BuiltinStriColl(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str1, CHAR16 *Str2);
BOOLEAN EFIAPI BuiltinMetaiMatch(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *String, CHAR16 *Pattern);
VOID EFIAPI BuiltinStrLwr(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str);
VOID EFIAPI BuiltinStrUpr(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str);
