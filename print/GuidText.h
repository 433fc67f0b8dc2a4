// The text of a GUID, for the 'g' directive: the shell's name for it when
// the shell knows one, else the registry form 47C7B221-C42A-11D2-8E57-...
#pragma once

#include "platform/ShellEnvironment.h"

// The shell environment asked for GUID names. Found on first use and kept
// for the life of the image once found; while none is found, every GUID
// print looks again.
extern SHELL_ENVIRONMENT *GuidNameSource;

// Buffer is the format engine's scratch (100 CHAR16); Guid is not null.
VOID GuidToText(CHAR16 *Buffer, const EFI_GUID *Guid);
