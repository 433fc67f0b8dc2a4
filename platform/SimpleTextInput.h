// EFI_SIMPLE_TEXT_INPUT_PROTOCOL: key strokes for the pager.
#pragma once

#include "platform/EfiStatus.h"

struct EFI_INPUT_KEY {
  UINT16 ScanCode;
  CHAR16 UnicodeChar;
};
static_assert(sizeof(EFI_INPUT_KEY) == 4);

constexpr UINT16 SCAN_NULL = 0x00;
constexpr UINT16 SCAN_ESC = 0x17;

struct EFI_SIMPLE_TEXT_INPUT_PROTOCOL;

typedef EFI_STATUS(EFIAPI *EFI_INPUT_READ_KEY)(EFI_SIMPLE_TEXT_INPUT_PROTOCOL *This, EFI_INPUT_KEY *Key);

struct EFI_SIMPLE_TEXT_INPUT_PROTOCOL {
  void *Reset;
  EFI_INPUT_READ_KEY ReadKeyStroke;
  EFI_EVENT WaitForKey;
};
static_assert(offsetof(EFI_SIMPLE_TEXT_INPUT_PROTOCOL, ReadKeyStroke) == 8);
static_assert(offsetof(EFI_SIMPLE_TEXT_INPUT_PROTOCOL, WaitForKey) == 16);
