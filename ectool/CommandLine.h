// The tool's command line: which EC transaction the arguments ask for, its
// trace line, and the transaction itself.
#pragma once

#include "platform/EfiTypes.h"

constexpr UINT8 InvalidHexDigit = 0xFF;

// The value of a hexadecimal digit, judged by the unit's low 8 bits alone,
// or InvalidHexDigit.
UINT8 HexDigitValue(CHAR16 Character);

// Argv[0] is the command's own name and is not looked at.
VOID RunCommandLine(UINTN Argc, CHAR16 **Argv);
