// The shell environment record the driver provides to legacy commands.
#pragma once

#include "platform/ShellEnvironment.h"

extern SHELL_ENVIRONMENT CompatEnvironment;

constexpr UINT32 CompatEnvironmentMajorVersion = 1;
constexpr UINT32 CompatEnvironmentMinorVersion = 0;

// Fills CompatEnvironment. Function members cannot be set in a constant
// initialiser through the record's untyped slots, and the image has no
// start-up code that would run a dynamic one, so the entry point calls this.
VOID BuildCompatEnvironment();
