// The console pager: page break, which stops console output after a
// screenful and asks whether to go on, and the output pause, which holds the
// next plain flush until a key is pressed. Both act on the text the format
// engine flushes; their values live in PageBreakState.
#pragma once

#include "platform/EfiStatus.h"
#include "print/FormatState.h"

// Writes the flushed buffer (BufferStart up to the terminator at Cursor) to
// the console with line and page accounting. Called instead of Output when
// page break is on and the run writes to the console.
VOID PageBreakOutput(FORMAT_STATE *State);

// Shows "Press ENTER to continue, 'q' to exit:" and reads keys until Enter
// or ESC. TRUE means the user quit: console output stays off from then on.
BOOLEAN PageBreakPrompt(FORMAT_STATE *State);

// Turns page break on: a prompt after every Rows lines of at most Columns
// characters, continuing from RestartRow lines; with InsertLineBreaks a full
// line is followed by CR LF. Starts counting afresh and takes back an
// earlier quit. EFI_INVALID_PARAMETER, with nothing changed, when RestartRow
// is not below Rows, since the prompt comes only when the row count reaches
// Rows exactly.
EFI_STATUS EnablePageBreak(UINTN Rows, UINTN Columns, UINTN RestartRow, BOOLEAN InsertLineBreaks);

// Waits for a key stroke, discards it and clears the pending output pause.
VOID AwaitOutputPause();

// Sets or clears the pending output pause under TPL_NOTIFY.
VOID SetOutputPause(BOOLEAN On);
