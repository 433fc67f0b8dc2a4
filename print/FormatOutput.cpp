// The engine's output side: the character sink, the flush to the
// destination and the attribute change.
#include "print/FormatState.h"
#include "print/PageBreak.h"
#include "print/PageBreakState.h"
#include "runtime/Memory.h"
#include "runtime/RuntimeContext.h"

bool IsConsoleDestination(const FORMAT_STATE *State) {
  EFI_SYSTEM_TABLE *SystemTable = RuntimeContext.SystemTable;
  return SystemTable != nullptr && State->Context == SystemTable->ConOut;
}

VOID EmitChar(FORMAT_STATE *State, CHAR16 Character) {
  if (PageBreakState.Quit && IsConsoleDestination(State)) {
    return;
  }
  // At BufferStart the unit before is the look-behind, the last character
  // flushed, so a CR LF split across two flushes stays one line end.
  if (Character == u'\n' && State->Cursor[-1] != u'\r') {
    EmitChar(State, u'\r');
  }
  *State->Cursor++ = Character;
  State->Count++;
  if (State->Cursor == State->BufferEnd) {
    FlushOutput(State);
  }
}

VOID FlushOutput(FORMAT_STATE *State) {
  *State->Cursor = 0;
  if (PageBreakState.Enabled && IsConsoleDestination(State)) {
    PageBreakOutput(State);
  } else {
    if (PageBreakState.OutputPause) {
      AwaitOutputPause();
    }
    // The destination's result is not examined: there is nobody to tell.
    State->Output(State->Context, State->BufferStart);
  }
  // Keep the last two characters written as the look-behind; with fewer than
  // two new ones the older look-behind shifts down (the ranges overlap).
  MemCopy(State->BufferStart - 2, State->Cursor - 2, 2 * sizeof(CHAR16));
  State->Cursor = State->BufferStart;
}

VOID ChangeAttribute(FORMAT_STATE *State, UINTN Attribute) {
  // Text formatted so far goes out in the attribute it was formatted in.
  FlushOutput(State);
  State->RestoreAttribute = State->Attribute;
  if (State->SetAttribute != nullptr) {
    State->SetAttribute(State->Context, Attribute);
  }
  State->Attribute = Attribute;
}
