// Page break: line and page accounting of console output, and the prompt.
#include "print/PageBreak.h"

#include "print/EventWait.h"
#include "print/PageBreakState.h"
#include "runtime/RuntimeContext.h"

namespace {

constexpr CHAR16 Backspace = 0x08;
constexpr CHAR16 CarriageReturn = 0x0D;
constexpr CHAR16 LineFeed = 0x0A;

// Output of the characters from Start through Last, terminated for the call
// and put back afterwards. Last + 1 is at most Cursor, inside the buffer.
VOID WritePiece(FORMAT_STATE *State, CHAR16 *Start, CHAR16 *Last) {
  CHAR16 Saved = Last[1];
  Last[1] = 0;
  State->Output(State->Context, Start);
  Last[1] = Saved;
}

VOID Write(FORMAT_STATE *State, const CHAR16 *Text) { State->Output(State->Context, Text); }

// At BufferStart the character before is the look-behind, the last one the
// run flushed, so a CR LF split across two flushes still ends a line.
BOOLEAN EndsLine(const CHAR16 *At) { return *At == LineFeed && At[-1] == CarriageReturn; }

// Moves the column for one character; TRUE when it fills the line.
BOOLEAN FillsLine(CHAR16 Character) {
  if (Character == Backspace) {
    PageBreakState.ColumnCount--;  // from 0 it wraps; the next character brings it back
  } else {
    PageBreakState.ColumnCount++;
  }
  return PageBreakState.ColumnCount == PageBreakState.Columns && Character != LineFeed &&
         Character != CarriageReturn;
}

// TRUE when the user quit at the prompt this line brought on.
BOOLEAN CompleteLine(FORMAT_STATE *State) {
  PageBreakState.ColumnCount = 0;
  PageBreakState.RowCount++;
  return PageBreakState.RowCount == PageBreakState.Rows && PageBreakPrompt(State);
}

EFI_INPUT_KEY ReadKey() {
  EFI_SIMPLE_TEXT_INPUT_PROTOCOL *ConIn = RuntimeContext.SystemTable->ConIn;
  EFI_INPUT_KEY Key = {};
  do {
    // The wait's status is not examined: the read decides.
    WaitForEventTimeout(ConIn->WaitForKey, 0);
  } while (IsError(ConIn->ReadKeyStroke(ConIn, &Key)));
  return Key;
}

}  // namespace

VOID PageBreakOutput(FORMAT_STATE *State) {
  CHAR16 *Seg = State->BufferStart;
  CHAR16 *At = State->BufferStart;
  for (; At < State->Cursor && *At != 0; At++) {
    BOOLEAN Full = FALSE;
    if (!EndsLine(At)) {
      Full = FillsLine(*At);
      if (!Full) {
        continue;
      }
    }
    WritePiece(State, Seg, At);
    if (Full && PageBreakState.InsertLineBreaks) {
      Write(State, u"\r\n");
    }
    Seg = At + 1;
    if (CompleteLine(State)) {
      return;  // quit: the rest of the buffer is dropped
    }
  }
  // At is the flush's terminator or a zero character.
  if (At != Seg) {
    Write(State, Seg);
  }
}

BOOLEAN PageBreakPrompt(FORMAT_STATE *State) {
  Write(State, u"Press ENTER to continue, 'q' to exit:");
  // The first key shows after a space; each later one replaces it.
  CHAR16 Echo[3] = {u' ', 0, 0};
  for (;;) {
    EFI_INPUT_KEY Key = ReadKey();
    if (Key.UnicodeChar == 0) {
      if (Key.ScanCode == SCAN_ESC) {
        Write(State, u"\r\n");
        PageBreakState.Quit = TRUE;
        return TRUE;
      }
      continue;
    }
    if (Key.UnicodeChar == CarriageReturn) {
      Write(State, u"\r\n");
      PageBreakState.RowCount = PageBreakState.RestartRow;
      return PageBreakState.Quit;
    }
    if (Key.UnicodeChar == Backspace) {
      continue;
    }
    Echo[1] = Key.UnicodeChar;
    Write(State, Echo);
    PageBreakState.Quit = Key.UnicodeChar == u'q' || Key.UnicodeChar == u'Q';
    Echo[0] = Backspace;
  }
}

EFI_STATUS EnablePageBreak(UINTN Rows, UINTN Columns, UINTN RestartRow, BOOLEAN InsertLineBreaks) {
  if (RestartRow >= Rows) {
    return EFI_INVALID_PARAMETER;
  }
  PageBreakState.Rows = Rows;
  PageBreakState.Columns = Columns;
  PageBreakState.RestartRow = RestartRow;
  PageBreakState.InsertLineBreaks = InsertLineBreaks;
  PageBreakState.RowCount = 0;
  PageBreakState.ColumnCount = 0;
  PageBreakState.Quit = FALSE;
  PageBreakState.Enabled = TRUE;
  return EFI_SUCCESS;
}
