// The pager's two entry points that the engine's flush calls.
#pragma once

#include "print/FormatState.h"

// Writes the flushed buffer (BufferStart up to the terminator at Cursor) to
// the console with line and page accounting. Called instead of Output when
// page break is on and the run writes to the console.
VOID PageBreakOutput(FORMAT_STATE *State);

// Waits for a key stroke and clears the pending output pause.
VOID AwaitOutputPause();
