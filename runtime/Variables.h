// Reading UEFI variables into pool blocks.
#pragma once

#include "platform/EfiStatus.h"

// The value in a new zero-filled pool block the caller frees, or null when
// the variable is absent or unreadable. *DataSize is the value's size in
// bytes (0 with a null block); a value that fills its block exactly has no
// terminating zero.
VOID *ReadVariable(const CHAR16 *Name, const EFI_GUID *Vendor, UINTN *DataSize);

// "Lang" in ISO 639-2 mode, else "PlatformLang"; both global variables. The
// value's size goes to *DataSize when it is not null.
CHAR8 *ReadLanguageVariable(BOOLEAN Iso639Mode, UINTN *DataSize = nullptr);
