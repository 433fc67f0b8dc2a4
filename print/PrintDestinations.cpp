// The entry points of the format engine: each builds a run's state for its
// destination and runs the engine.
#include "print/Print.h"
#include "runtime/RuntimeContext.h"

namespace {

EFI_STATUS DeviceOutputString(VOID *Context, const CHAR16 *Text) {
  EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *TextOut = static_cast<EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *>(Context);
  return TextOut->OutputString(TextOut, Text);
}

EFI_STATUS DeviceSetAttribute(VOID *Context, UINTN Attribute) {
  EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *TextOut = static_cast<EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *>(Context);
  return TextOut->SetAttribute(TextOut, Attribute);
}

// The five letter attributes keep the device's background.
VOID SetDeviceAttributes(FORMAT_STATE *State, const EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *TextOut) {
  UINTN Current = static_cast<UINTN>(static_cast<INT64>(TextOut->Mode->Attribute));
  UINTN Background = (Current >> 4) & 0x0F;
  UINTN Base = Background << 4;
  State->Attribute = Current;
  State->AttrNormal = Base | (~Background & 0x07);
  State->AttrHighlight = Base | EFI_WHITE;
  State->AttrError = Base | EFI_YELLOW;
  State->AttrBlue = Base | EFI_LIGHTBLUE;
  State->AttrGreen = Base | EFI_LIGHTGREEN;
}

EFI_STATUS OutputToBuffer(VOID *Context, const CHAR16 *Text) {
  return BufferAppend(static_cast<POOL_STRING *>(Context), Text);
}

// One PrintAppend: once a growth has failed, the string stays dropped for
// the rest of the run, so that a later flush cannot start a new string that
// holds only the text's tail.
struct APPEND_RUN {
  POOL_STRING *String;
  BOOLEAN Dropped;
};

EFI_STATUS OutputToPoolString(VOID *Context, const CHAR16 *Text) {
  APPEND_RUN *Run = static_cast<APPEND_RUN *>(Context);
  if (!Run->Dropped) {
    PoolStringAppend(Run->String, Text);
    Run->Dropped = Run->String->Str == nullptr;
  }
  return EFI_SUCCESS;
}

}  // namespace

UINTN PrintToTextOutput(UINTN Column, UINTN Row, EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *TextOut, const CHAR16 *Format,
                        const CHAR8 *AsciiFormat, PRINT_ARGS Args) {
  FORMAT_STATE State = {};
  State.Output = DeviceOutputString;
  State.SetAttribute = DeviceSetAttribute;
  State.Context = TextOut;
  SetDeviceAttributes(&State, TextOut);
  if (Format != nullptr) {
    State.Format.Text = Format;
  } else {
    State.Format.Text = AsciiFormat;
    State.Format.Is8Bit = TRUE;
  }
  State.Args = Args;
  // Row is not tested: a caller that places the cursor gives both.
  if (Column != PrintKeepCursor) {
    TextOut->SetCursorPosition(TextOut, Column, Row);
  }
  return RunFormat(&State);
}

UINTN PrintToConsoleArgs(const CHAR16 *Format, PRINT_ARGS Args) {
  return PrintToTextOutput(PrintKeepCursor, PrintKeepCursor, RuntimeContext.SystemTable->ConOut, Format, nullptr,
                           Args);
}

UINTN PrintToSink(const CHAR16 *Format, PRINT_ARGS Args, VOID *Context, FORMAT_OUTPUT Output) {
  FORMAT_STATE State = {};
  State.Output = Output;
  State.Context = Context;
  State.Format.Text = Format;
  State.Args = Args;
  return RunFormat(&State);
}

UINTN PrintToBufferArgs(CHAR16 *Buffer, UINTN Size, const CHAR16 *Format, PRINT_ARGS Args) {
  // Below 2 bytes, Size / 2 - 1 would wrap to no limit at all; such a buffer
  // has no room, like one of 2 or 3 bytes.
  UINTN Capacity = Size < 2 * sizeof(CHAR16) ? 0 : Size / sizeof(CHAR16) - 1;
  POOL_STRING String = {Buffer, 0, Capacity};
  PrintToSink(Format, Args, &String, OutputToBuffer);
  return String.Length;
}

CHAR16 *PrintAppendArgs(POOL_STRING *String, const CHAR16 *Format, PRINT_ARGS Args) {
  APPEND_RUN Run = {String, FALSE};
  PrintToSink(Format, Args, &Run, OutputToPoolString);
  return String->Str;
}
