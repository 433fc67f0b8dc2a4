// EFI_UNICODE_COLLATION_PROTOCOL, shared by Unicode Collation 2 and its
// older ISO 639-2 predecessor.
#pragma once

#include "platform/EfiTypes.h"

inline constexpr EFI_GUID EfiUnicodeCollation2ProtocolGuid = {
    0xA4C751FC, 0x23AE, 0x4C3E, {0x92, 0xE9, 0x49, 0x64, 0xCF, 0x63, 0xF3, 0x49}};
inline constexpr EFI_GUID EfiUnicodeCollationProtocolGuid = {
    0x1D85CD7F, 0xF43D, 0x11D2, {0x9A, 0x0C, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}};

struct EFI_UNICODE_COLLATION_PROTOCOL;

typedef INTN(EFIAPI *EFI_UNICODE_COLLATION_STRICOLL)(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str1,
                                                     CHAR16 *Str2);
typedef BOOLEAN(EFIAPI *EFI_UNICODE_COLLATION_METAIMATCH)(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *String,
                                                          CHAR16 *Pattern);
typedef VOID(EFIAPI *EFI_UNICODE_COLLATION_STRLWR)(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str);
typedef VOID(EFIAPI *EFI_UNICODE_COLLATION_STRUPR)(EFI_UNICODE_COLLATION_PROTOCOL *This, CHAR16 *Str);

struct EFI_UNICODE_COLLATION_PROTOCOL {
  EFI_UNICODE_COLLATION_STRICOLL StriColl;
  EFI_UNICODE_COLLATION_METAIMATCH MetaiMatch;
  EFI_UNICODE_COLLATION_STRLWR StrLwr;
  EFI_UNICODE_COLLATION_STRUPR StrUpr;
  void *FatToStr;
  void *StrToFat;
  CHAR8 *SupportedLanguages;
};
static_assert(offsetof(EFI_UNICODE_COLLATION_PROTOCOL, SupportedLanguages) == 48);
