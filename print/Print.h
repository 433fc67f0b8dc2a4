// Formatted UTF-16 output: to the system console, to any text output device,
// to a caller's fixed buffer, or appended to a growable pool string.
//
// The format grammar: '%', then flags ('-' ',' '0' 'l' '.'), a width or
// after '.' a precision as digits or '*', then one of s a c d x X g t r %.
// The small letters n h e b v give the next item the normal, highlight,
// error, blue or green attribute; the capitals switch to it for the rest of
// the output. A line feed is written as CR LF; hex digits are upper case.
//
// Each value after the format takes one 64-bit slot, widened as PrintArgs.h
// says. A directive with no value left reads 0.
#pragma once

#include "platform/SimpleTextOutput.h"
#include "print/PoolString.h"
#include "print/PrintArgs.h"
#include "print/FormatState.h"

// A Column of all ones leaves the cursor where it is.
constexpr UINTN PrintKeepCursor = ~static_cast<UINTN>(0);

// The device core. When Format is null, AsciiFormat is the format, read as
// 8-bit text. A Column other than PrintKeepCursor places the cursor first.
UINTN PrintToTextOutput(UINTN Column, UINTN Row, EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *TextOut, const CHAR16 *Format,
                        const CHAR8 *AsciiFormat, PRINT_ARGS Args);

UINTN PrintToConsoleArgs(const CHAR16 *Format, PRINT_ARGS Args);
UINTN PrintToBufferArgs(CHAR16 *Buffer, UINTN Size, const CHAR16 *Format, PRINT_ARGS Args);
CHAR16 *PrintAppendArgs(POOL_STRING *String, const CHAR16 *Format, PRINT_ARGS Args);

// The common entry of the buffer destinations: no attributes, CHAR16 format.
UINTN PrintToSink(const CHAR16 *Format, PRINT_ARGS Args, VOID *Context, FORMAT_OUTPUT Output);

// Onto the system console with its current attributes, the cursor left where
// it is. Returns the characters written (CRs added for line feeds included),
// EFI_OUT_OF_RESOURCES without pool, 0 once output has been quit at the pager.
template <typename... Values>
UINTN PrintToConsole(const CHAR16 *Format, Values... Value) {
  return PrintToConsoleArgs(Format, PackSlots(Value...).Args());
}

// Into Buffer of Size bytes: at most Size / 2 - 1 characters and a
// terminator. Below 4 bytes nothing at all is written. Returns the
// characters placed, terminator excluded.
template <typename... Values>
UINTN PrintToBuffer(CHAR16 *Buffer, UINTN Size, const CHAR16 *Format, Values... Value) {
  return PrintToBufferArgs(Buffer, Size, Format, PackSlots(Value...).Args());
}

// Appends to String (empty: { null, 0, 0 }; the caller frees Str with
// PoolFree) and returns its Str, which may have moved. A failed growth drops
// the string and the rest of the text, and returns null.
template <typename... Values>
CHAR16 *PrintAppend(POOL_STRING *String, const CHAR16 *Format, Values... Value) {
  return PrintAppendArgs(String, Format, PackSlots(Value...).Args());
}
