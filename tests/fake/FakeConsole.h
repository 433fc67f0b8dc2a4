// A text console that records every OutputString, SetAttribute and
// SetCursorPosition in order, and a keyboard that plays scripted keys.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/SimpleTextInput.h"
#include "platform/SimpleTextOutput.h"

namespace fake {

struct ConsoleEvent {
  enum Kind { Text, Attribute, Cursor } What;
  std::u16string String;  // Text
  UINTN Value = 0;        // Attribute; column for Cursor
  UINTN Row = 0;          // Cursor
  bool operator==(const ConsoleEvent &) const = default;
};

struct FakeConsole {
  EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL Protocol{};  // first member: This points here
  SIMPLE_TEXT_OUTPUT_MODE Mode{};
  std::vector<ConsoleEvent> Events;

  FakeConsole();
  // All text written, in order.
  std::u16string Text() const;
  // The text pieces alone, one per OutputString call.
  std::vector<std::u16string> Pieces() const;
  // Events as readable text: text in quotes, "[A=0F]" for an attribute change,
  // "[@3,4]" for a cursor move.
  std::string Transcript() const;
};

struct FakeKeyboard {
  EFI_SIMPLE_TEXT_INPUT_PROTOCOL Protocol{};  // first member
  struct Stroke {
    EFI_STATUS Status;
    EFI_INPUT_KEY Key;
  };
  // ReadKeyStroke plays these in order, then answers EFI_NOT_READY.
  std::deque<Stroke> Keys;
  unsigned Reads = 0;
  // A poll loop that reads this many times in a row with nothing queued
  // would spin for ever: the test fails and the process ends.
  unsigned IdleReadLimit = 100000;
  unsigned IdleReads = 0;
  int WaitForKeyEvent = 0;  // its address is the WaitForKey event

  FakeKeyboard();
  void Type(const std::u16string &Characters);
  void Press(UINT16 ScanCode, CHAR16 UnicodeChar = 0);
};

// UTF-16 to UTF-8 for messages and comparisons (BMP only).
std::string Narrow(const std::u16string &Text);

}  // namespace fake
