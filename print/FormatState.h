// The state of one run of the format engine and of the directive it reads.
// The pager works on FORMAT_STATE; the value renderers write into the item's
// Scratch.
#pragma once

#include "platform/EfiStatus.h"
#include "print/PrintArgs.h"

// Walks a format string or an item text, 8-bit or CHAR16.
struct TEXT_READER {
  BOOLEAN Is8Bit;
  UINTN Position;     // in characters
  const VOID *Text;   // null in an item: no text yet
};

// Units in the scratch block of a run, terminator included.
constexpr UINTN FormatScratchUnits = 100;
// Units in the output block of a run: two of look-behind, then the buffer.
constexpr UINTN FormatBufferUnits = 1024;
constexpr UINTN FormatBufferStartUnit = 2;
constexpr UINTN FormatBufferEndUnit = 1023;

constexpr UINTN PrecisionNotGiven = ~static_cast<UINTN>(0);

struct FORMAT_ITEM {
  TEXT_READER Reader;
  CHAR16 *Scratch;
  UINTN Width;
  UINTN Precision;
  UINTN *NumberTarget;  // Width, or Precision after a '.'
  CHAR16 Pad;
  BOOLEAN RightAlign;
  BOOLEAN Comma;
  BOOLEAN Long;
};

typedef EFI_STATUS (*FORMAT_OUTPUT)(VOID *Context, const CHAR16 *Text);
typedef EFI_STATUS (*FORMAT_SET_ATTRIBUTE)(VOID *Context, UINTN Attribute);

struct FORMAT_STATE {
  TEXT_READER Format;
  PRINT_ARGS Args;
  CHAR16 *BufferStart;
  CHAR16 *BufferEnd;
  CHAR16 *Cursor;
  UINTN Count;
  UINTN Attribute;
  UINTN RestoreAttribute;  // 0: nothing to restore
  UINTN AttrNormal;
  UINTN AttrHighlight;
  UINTN AttrError;
  UINTN AttrBlue;
  UINTN AttrGreen;
  FORMAT_OUTPUT Output;
  FORMAT_SET_ATTRIBUTE SetAttribute;  // null for the buffer destinations
  VOID *Context;
  FORMAT_ITEM *Item;
};

// The engine. Returns the characters stored, EFI_OUT_OF_RESOURCES when a
// pool block cannot be had, 0 when console output has been quit.
UINTN RunFormat(FORMAT_STATE *State);

// The character at Position; Position advances also past a terminator.
CHAR16 ReadNextChar(TEXT_READER *Reader);

VOID EmitChar(FORMAT_STATE *State, CHAR16 Character);
VOID FlushOutput(FORMAT_STATE *State);
VOID ChangeAttribute(FORMAT_STATE *State, UINTN Attribute);
VOID EmitItem(FORMAT_STATE *State);

// The run writes to the system console (the pager applies to it alone).
bool IsConsoleDestination(const FORMAT_STATE *State);
