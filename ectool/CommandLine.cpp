#include "ectool/CommandLine.h"

#include "ectool/EcHostInterface.h"
#include "ectool/Usage.h"
#include "print/Print.h"

namespace {

constexpr CHAR16 WrongValueLine[] = u"Input wrong value.\n";

// Letters are compared as whole units: U+0143 is no 'C'.
bool BeginsWithLetter(const CHAR16 *Argument, CHAR16 Upper, CHAR16 Lower) {
  return Argument[0] == Upper || Argument[0] == Lower;
}

bool IsCommandArgument(const CHAR16 *Argument) { return BeginsWithLetter(Argument, u'C', u'c'); }
bool IsDataArgument(const CHAR16 *Argument) { return BeginsWithLetter(Argument, u'D', u'd'); }
bool IsModeArgument(const CHAR16 *Argument) { return BeginsWithLetter(Argument, u'I', u'i'); }

// "/?" or "-?", whatever follows.
bool IsUsageRequest(const CHAR16 *Argument) {
  return (Argument[0] == u'/' || Argument[0] == u'-') && Argument[1] == u'?';
}

// The byte in the two digits after the letter. Only those are looked at, and
// nothing past an early terminator is read.
bool DecodeByteArgument(const CHAR16 *Argument, UINT8 *Value) {
  UINT8 High = HexDigitValue(Argument[1]);
  if (High == InvalidHexDigit) {
    return false;
  }
  UINT8 Low = HexDigitValue(Argument[2]);
  if (Low == InvalidHexDigit) {
    return false;
  }
  *Value = static_cast<UINT8>(High * 16 + Low);
  return true;
}

// The command byte of the two forms whose first argument must carry it.
// False when the form ends here: silently when the argument is no command
// argument, with the wrong-value line when its digits are bad.
bool TakeCommandByte(const CHAR16 *CommandArgument, UINT8 *Command) {
  if (!IsCommandArgument(CommandArgument)) {
    return false;
  }
  if (!DecodeByteArgument(CommandArgument, Command)) {
    PrintToConsole(WrongValueLine);
    return false;
  }
  return true;
}

VOID RunCommandOnly(const CHAR16 *CommandArgument) {
  UINT8 Command = 0;
  if (!TakeCommandByte(CommandArgument, &Command)) {
    return;
  }
  PrintToConsole(u"SendEcCmdNoRet(0x%x)\n", Command);
  SendEcCmdNoRet(Command);
}

// The trace comes after the transaction: it shows the byte read.
VOID RunCommandAndRead(const CHAR16 *CommandArgument) {
  UINT8 Command = 0;
  if (!TakeCommandByte(CommandArgument, &Command)) {
    return;
  }
  UINT8 Result = SendEcCmdExt(Command);
  PrintToConsole(u"%x = SendEcCmdExt(0x%x)\n", Result, Command);
}

// One argument carries the command byte, the other the data byte, in either
// order. When both carry the same letter the later one counts, and the
// other byte is missing.
VOID RunCommandAndData(CHAR16 *const Arguments[2]) {
  UINT8 Command = 0;
  UINT8 Data = 0;
  bool HaveCommand = false;
  bool HaveData = false;
  for (UINTN Index = 0; Index < 2; Index++) {
    const CHAR16 *Argument = Arguments[Index];
    if (IsCommandArgument(Argument)) {
      HaveCommand = DecodeByteArgument(Argument, &Command);
    } else if (IsDataArgument(Argument)) {
      HaveData = DecodeByteArgument(Argument, &Data);
    }
  }
  if (!HaveCommand || !HaveData) {
    PrintToConsole(WrongValueLine);
    return;
  }
  PrintToConsole(u"SendEcCommand(0x%x,0x%x)\n", Command, Data);
  SendEcCommand(Command, Data);
}

}  // namespace

UINT8 HexDigitValue(CHAR16 Character) {
  UINT8 Code = static_cast<UINT8>(Character);
  if (Code >= '0' && Code <= '9') {
    return static_cast<UINT8>(Code - '0');
  }
  if (Code >= 'A' && Code <= 'F') {
    return static_cast<UINT8>(Code - 'A' + 10);
  }
  if (Code >= 'a' && Code <= 'f') {
    return static_cast<UINT8>(Code - 'a' + 10);
  }
  return InvalidHexDigit;
}

VOID RunCommandLine(UINTN Argc, CHAR16 **Argv) {
  // The shell always passes the command's name; an Argc of 0 is treated as
  // a bare command.
  if (Argc <= 1 || IsUsageRequest(Argv[1])) {
    PrintUsage();
  } else if (Argc == 2) {
    RunCommandOnly(Argv[1]);
  } else if (Argc == 3 && IsModeArgument(Argv[2])) {
    RunCommandAndRead(Argv[1]);
  } else if (Argc == 3) {
    RunCommandAndData(Argv + 1);
  }
  // Four or more arguments: nothing is printed or sent.
}
