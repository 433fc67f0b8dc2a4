#include "tests/fake/FakeConsole.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace fake {

namespace {

FakeConsole *ConsoleOf(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This) { return reinterpret_cast<FakeConsole *>(This); }

EFI_STATUS EFIAPI OutputString(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, const CHAR16 *String) {
  ConsoleOf(This)->Events.push_back({ConsoleEvent::Text, std::u16string(String), 0, 0});
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI SetAttribute(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, UINTN Attribute) {
  FakeConsole *Console = ConsoleOf(This);
  Console->Events.push_back({ConsoleEvent::Attribute, u"", Attribute, 0});
  Console->Mode.Attribute = static_cast<INT32>(Attribute);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI SetCursorPosition(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *This, UINTN Column, UINTN Row) {
  ConsoleOf(This)->Events.push_back({ConsoleEvent::Cursor, u"", Column, Row});
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI ReadKeyStroke(EFI_SIMPLE_TEXT_INPUT_PROTOCOL *This, EFI_INPUT_KEY *Key) {
  FakeKeyboard *Keyboard = reinterpret_cast<FakeKeyboard *>(This);
  Keyboard->Reads++;
  if (Keyboard->Keys.empty()) {
    if (++Keyboard->IdleReads >= Keyboard->IdleReadLimit) {
      ADD_FAILURE() << "ReadKeyStroke polled " << Keyboard->IdleReads << " times with no key queued";
      std::abort();
    }
    return EFI_NOT_READY;
  }
  Keyboard->IdleReads = 0;
  FakeKeyboard::Stroke Stroke = Keyboard->Keys.front();
  Keyboard->Keys.pop_front();
  if (!IsError(Stroke.Status)) {
    *Key = Stroke.Key;
  }
  return Stroke.Status;
}

}  // namespace

static_assert(offsetof(FakeConsole, Protocol) == 0);
static_assert(offsetof(FakeKeyboard, Protocol) == 0);

FakeConsole::FakeConsole() {
  Protocol.OutputString = OutputString;
  Protocol.SetAttribute = SetAttribute;
  Protocol.SetCursorPosition = SetCursorPosition;
  Protocol.Mode = &Mode;
  Mode.MaxMode = 1;
  Mode.Attribute = static_cast<INT32>(EFI_LIGHTGRAY);
}

std::u16string FakeConsole::Text() const {
  std::u16string All;
  for (const ConsoleEvent &Event : Events) {
    if (Event.What == ConsoleEvent::Text) {
      All += Event.String;
    }
  }
  return All;
}

std::vector<std::u16string> FakeConsole::Pieces() const {
  std::vector<std::u16string> All;
  for (const ConsoleEvent &Event : Events) {
    if (Event.What == ConsoleEvent::Text) {
      All.push_back(Event.String);
    }
  }
  return All;
}

std::string FakeConsole::Transcript() const {
  std::string Text;
  for (const ConsoleEvent &Event : Events) {
    char Entry[64];
    switch (Event.What) {
      case ConsoleEvent::Text:
        Text += "\"" + Narrow(Event.String) + "\"";
        break;
      case ConsoleEvent::Attribute:
        std::snprintf(Entry, sizeof(Entry), "[A=%02llX]", static_cast<unsigned long long>(Event.Value));
        Text += Entry;
        break;
      case ConsoleEvent::Cursor:
        std::snprintf(Entry, sizeof(Entry), "[@%llu,%llu]", static_cast<unsigned long long>(Event.Value),
                      static_cast<unsigned long long>(Event.Row));
        Text += Entry;
        break;
    }
  }
  return Text;
}

FakeKeyboard::FakeKeyboard() {
  Protocol.ReadKeyStroke = ReadKeyStroke;
  Protocol.WaitForKey = &WaitForKeyEvent;
}

void FakeKeyboard::Type(const std::u16string &Characters) {
  for (CHAR16 Character : Characters) {
    Keys.push_back({EFI_SUCCESS, {SCAN_NULL, Character}});
  }
}

void FakeKeyboard::Press(UINT16 ScanCode, CHAR16 UnicodeChar) { Keys.push_back({EFI_SUCCESS, {ScanCode, UnicodeChar}}); }

std::string Narrow(const std::u16string &Text) {
  std::string Out;
  for (char16_t Unit : Text) {
    if (Unit < 0x80) {
      if (Unit == '\r') {
        Out += "\\r";
      } else if (Unit == '\n') {
        Out += "\\n";
      } else if (Unit < 0x20) {
        char Escaped[8];
        std::snprintf(Escaped, sizeof(Escaped), "\\x%02X", Unit);
        Out += Escaped;
      } else {
        Out += static_cast<char>(Unit);
      }
    } else if (Unit < 0x800) {
      Out += static_cast<char>(0xC0 | (Unit >> 6));
      Out += static_cast<char>(0x80 | (Unit & 0x3F));
    } else {
      Out += static_cast<char>(0xE0 | (Unit >> 12));
      Out += static_cast<char>(0x80 | ((Unit >> 6) & 0x3F));
      Out += static_cast<char>(0x80 | (Unit & 0x3F));
    }
  }
  return Out;
}

}  // namespace fake
