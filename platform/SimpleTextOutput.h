// EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL: the members the format engine calls.
#pragma once

#include "platform/EfiStatus.h"

struct EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL;

struct SIMPLE_TEXT_OUTPUT_MODE {
  INT32 MaxMode;
  INT32 Mode;
  INT32 Attribute;
  INT32 CursorColumn;
  INT32 CursorRow;
  BOOLEAN CursorVisible;
};
static_assert(offsetof(SIMPLE_TEXT_OUTPUT_MODE, Attribute) == 8);

typedef EFI_STATUS(EFIAPI *EFI_TEXT_STRING)(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, const CHAR16 *String);
typedef EFI_STATUS(EFIAPI *EFI_TEXT_SET_ATTRIBUTE)(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, UINTN Attribute);
typedef EFI_STATUS(EFIAPI *EFI_TEXT_SET_CURSOR_POSITION)(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, UINTN Column,
                                                         UINTN Row);

struct EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL {
  void *Reset;
  EFI_TEXT_STRING OutputString;
  void *TestString;
  void *QueryMode;
  void *SetMode;
  EFI_TEXT_SET_ATTRIBUTE SetAttribute;
  void *ClearScreen;
  EFI_TEXT_SET_CURSOR_POSITION SetCursorPosition;
  void *EnableCursor;
  SIMPLE_TEXT_OUTPUT_MODE *Mode;
};
static_assert(offsetof(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL, OutputString) == 8);
static_assert(offsetof(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL, SetAttribute) == 40);
static_assert(offsetof(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL, SetCursorPosition) == 56);
static_assert(offsetof(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL, Mode) == 72);

// Text attributes: foreground in bits 0-3, background in bits 4-6.
constexpr UINTN EFI_LIGHTGRAY = 0x07;
constexpr UINTN EFI_LIGHTBLUE = 0x09;
constexpr UINTN EFI_LIGHTGREEN = 0x0A;
constexpr UINTN EFI_YELLOW = 0x0E;
constexpr UINTN EFI_WHITE = 0x0F;
