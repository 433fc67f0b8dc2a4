// The text of a status code, for the 'r' directive.
#pragma once

#include "platform/EfiStatus.h"

// Buffer is the format engine's scratch (100 CHAR16). A code with a name
// gets its name; any other code its value in hexadecimal.
VOID StatusToText(CHAR16 *Buffer, EFI_STATUS Status);
