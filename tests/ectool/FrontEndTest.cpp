// The tool end to end: command line in, console text, port traffic and exit
// status out, on a fake firmware with a shell, one root bridge and an EC.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>

#include "ectool/CommandLine.h"
#include "ectool/EcToolMain.h"
#include "platform/PciRootBridgeIo.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/fake/FakeShell.h"

namespace fake {
namespace {

// The nine usage strings, as the console receives them.
const std::u16string UsageText =
    u"   Kelmtrax arg1  arg2                   \r\n"
    u"   arg1:Cxx  Send Hex Byte xx Command to EC \r\n"
    u"   arg2:Dxx  Send Hex Byte xx Data to EC    \r\n\r\n"
    u"example:   Kelmtrax C9E D01             \r\n"
    u"        Send Comman 0x9e Data 0x01 to EC. \r\n\r\n"
    u"example:   Kelmtrax CAC I            \r\n"
    u"        Send Comman 0xAC EC & Get a data. \r\n\r\n"
    u"example:   Kelmtrax CB0             \r\n"
    u"        Send Comman 0xB0 EC & don't get any data. \r\n";

const std::u16string WrongValue = u"Input wrong value.\r\n";

// EC traffic of an idle EC on the primary pair.
constexpr const char *CommandB0 = "R66=00 x2 W66=B0 R66=00";
constexpr const char *CommandAcRead5A = "R66=00 x2 W66=AC R66=01 x2 R62=5A";
constexpr const char *Command9eData01 = "R66=00 x2 W66=9E R66=00 W62=01 R66=00";

struct Rig {
  FakeFirmware &Firmware;
  FakeShell *Shell;  // null when the case installs no shell
  RootBridge &Bridge;
};

using Script = std::function<void(Rig &)>;

void Answer5A(Rig &S) { S.Firmware.Ec.Answers[0xAC] = 0x5A; }

// LocateHandle from the handle database, with the root bridge lookup
// answered by Bridges instead.
EFI_STATUS LocateFromDatabase(FakeFirmware &Firmware, const EFI_GUID *Protocol, UINTN *Size, EFI_HANDLE *Buffer) {
  std::vector<EFI_HANDLE> Found = Firmware.HandlesWith(*Protocol);
  if (Found.empty()) {
    return EFI_NOT_FOUND;
  }
  UINTN Needed = Found.size() * sizeof(EFI_HANDLE);
  if (*Size < Needed) {
    *Size = Needed;
    return EFI_BUFFER_TOO_SMALL;
  }
  *Size = Needed;
  std::memcpy(Buffer, Found.data(), Needed);
  return EFI_SUCCESS;
}

void HookRootBridgeLookup(Rig &S, std::function<EFI_STATUS(UINTN *, EFI_HANDLE *)> RootBridges) {
  FakeFirmware &Firmware = S.Firmware;
  Firmware.LocateHandleHook = [&Firmware, RootBridges](EFI_LOCATE_SEARCH_TYPE, const EFI_GUID *Protocol, VOID *,
                                                        UINTN *Size, EFI_HANDLE *Buffer) {
    if (*Protocol == EfiPciRootBridgeIoProtocolGuid) {
      return RootBridges(Size, Buffer);
    }
    return LocateFromDatabase(Firmware, Protocol, Size, Buffer);
  };
}

// The handle buffer must grow, and the growth finds no pool.
void GrowthFails(Rig &S) {
  FakeFirmware &Firmware = S.Firmware;
  HookRootBridgeLookup(S, [&Firmware](UINTN *Size, EFI_HANDLE *) {
    *Size = 2 * sizeof(EFI_HANDLE);
    Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + 1);
    return EFI_BUFFER_TOO_SMALL;
  });
}

void LocateFails(Rig &S) {
  HookRootBridgeLookup(S, [](UINTN *, EFI_HANDLE *) { return EFI_DEVICE_ERROR; });
}

void ConfigurationFails(Rig &S) { S.Bridge.ConfigurationStatus = EFI_DEVICE_ERROR; }
void ConfigurationWarns(Rig &S) { S.Bridge.ConfigurationStatus = EFI_WARN_WRITE_FAILURE; }

struct FrontEndCase {
  const char *Name;
  std::vector<std::u16string> Arguments;
  Script Prepare;
  std::u16string WantText;
  const char *WantLog;
  EFI_STATUS WantStatus;
  bool NoShell = false;
  bool WantExited = false;
};

const FrontEndCase FrontEndCases[] = {
    // Usage.
    {"no arguments", {}, nullptr, UsageText, "", EFI_SUCCESS},
    {"Argc 0", {}, [](Rig &S) { S.Shell->Interface.Argc = 0; }, UsageText, "", EFI_SUCCESS},
    {"/?", {u"/?"}, nullptr, UsageText, "", EFI_SUCCESS},
    {"-?", {u"-?"}, nullptr, UsageText, "", EFI_SUCCESS},
    {"-?x a b c", {u"-?x", u"a", u"b", u"c"}, nullptr, UsageText, "", EFI_SUCCESS},
    {"-? before a mode argument", {u"-?", u"I"}, nullptr, UsageText, "", EFI_SUCCESS},
    {"?", {u"?"}, nullptr, u"", "", EFI_SUCCESS},
    {"/x", {u"/x"}, nullptr, u"", "", EFI_SUCCESS},
    {"empty argument", {u""}, nullptr, u"", "", EFI_SUCCESS},
    // Command only.
    {"CB0", {u"CB0"}, nullptr, u"SendEcCmdNoRet(0xB0)\r\n", CommandB0, EFI_SUCCESS},
    {"cb0", {u"cb0"}, nullptr, u"SendEcCmdNoRet(0xB0)\r\n", CommandB0, EFI_SUCCESS},
    {"CB0FF", {u"CB0FF"}, nullptr, u"SendEcCmdNoRet(0xB0)\r\n", CommandB0, EFI_SUCCESS},
    {"C00", {u"C00"}, nullptr, u"SendEcCmdNoRet(0x0)\r\n", "R66=00 x2 W66=00 R66=00", EFI_SUCCESS},
    {"CfF", {u"CfF"}, nullptr, u"SendEcCmdNoRet(0xFF)\r\n", "R66=00 x2 W66=FF R66=00", EFI_SUCCESS},
    {"C", {u"C"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"CB", {u"CB"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"CBG", {u"CBG"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"DB0", {u"DB0"}, nullptr, u"", "", EFI_SUCCESS},
    // A digit is judged by its low 8 bits, a letter by its whole unit.
    {"U+0139 as a digit", {u"CB\u0139"}, nullptr, u"SendEcCmdNoRet(0xB9)\r\n", "R66=00 x2 W66=B9 R66=00",
     EFI_SUCCESS},
    {"U+0100 as a digit", {u"CB\u0100"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"U+0143 as the letter", {u"\u0143B0"}, nullptr, u"", "", EFI_SUCCESS},
    {"secondary port pair", {u"CB0"}, [](Rig &S) { S.Firmware.PortSelector = 0x04; },
     u"SendEcCmdNoRet(0xB0)\r\n", "R6C=00 x2 W6C=B0 R6C=00", EFI_SUCCESS},
    // Command and read: the trace follows the transaction.
    {"CAC I", {u"CAC", u"I"}, Answer5A, u"5A = SendEcCmdExt(0xAC)\r\n", CommandAcRead5A, EFI_SUCCESS},
    {"CAC info", {u"CAC", u"info"}, Answer5A, u"5A = SendEcCmdExt(0xAC)\r\n", CommandAcRead5A, EFI_SUCCESS},
    {"cac i", {u"cac", u"i"}, Answer5A, u"5A = SendEcCmdExt(0xAC)\r\n", CommandAcRead5A, EFI_SUCCESS},
    {"CAC I, EC answers 0", {u"CAC", u"I"}, [](Rig &S) { S.Firmware.Ec.Answers[0xAC] = 0; },
     u"0 = SendEcCmdExt(0xAC)\r\n", "R66=00 x2 W66=AC R66=01 x2 R62=00", EFI_SUCCESS},
    {"CAC I, EC inhibited", {u"CAC", u"I"},
     [](Rig &S) {
       Answer5A(S);
       S.Firmware.Inhibit = 0x20;
     },
     u"0 = SendEcCmdExt(0xAC)\r\n", "", EFI_SUCCESS},
    {"DAC I", {u"DAC", u"I"}, Answer5A, u"", "", EFI_SUCCESS},
    {"CAG I", {u"CAG", u"I"}, Answer5A, WrongValue, "", EFI_SUCCESS},
    {"C I", {u"C", u"I"}, Answer5A, WrongValue, "", EFI_SUCCESS},
    // Command and data, in either order.
    {"C9E D01", {u"C9E", u"D01"}, nullptr, u"SendEcCommand(0x9E,0x1)\r\n", Command9eData01, EFI_SUCCESS},
    {"D01 C9E", {u"D01", u"C9E"}, nullptr, u"SendEcCommand(0x9E,0x1)\r\n", Command9eData01, EFI_SUCCESS},
    {"c9e d01xyz", {u"c9e", u"d01xyz"}, nullptr, u"SendEcCommand(0x9E,0x1)\r\n", Command9eData01, EFI_SUCCESS},
    {"C9E C01", {u"C9E", u"C01"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"D01 D02", {u"D01", u"D02"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"C9E X01", {u"C9E", u"X01"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"C9E D0", {u"C9E", u"D0"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"CZE D01", {u"CZE", u"D01"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"X Y", {u"X", u"Y"}, nullptr, WrongValue, "", EFI_SUCCESS},
    {"U+0143 as the command letter", {u"\u0143B0", u"D01"}, nullptr, WrongValue, "", EFI_SUCCESS},
    // Three arguments or more: nothing.
    {"CB0 D01 X", {u"CB0", u"D01", u"X"}, nullptr, u"", "", EFI_SUCCESS},
    // A warning from the binding is the exit status of every later path.
    {"warning, CB0", {u"CB0"}, ConfigurationWarns, u"SendEcCmdNoRet(0xB0)\r\n", CommandB0, EFI_WARN_WRITE_FAILURE},
    {"warning, C", {u"C"}, ConfigurationWarns, WrongValue, "", EFI_WARN_WRITE_FAILURE},
    {"warning, usage", {}, ConfigurationWarns, UsageText, "", EFI_WARN_WRITE_FAILURE},
    // Binding failures: their line and status, nothing sent.
    {"growth fails", {u"CB0"}, GrowthFails, u"Out of resources\r\n", "", EFI_OUT_OF_RESOURCES},
    {"LocateHandle fails", {u"CB0"}, LocateFails, u"Locate handle error\r\n", "", EFI_DEVICE_ERROR},
    {"Configuration fails", {u"CB0"}, ConfigurationFails, u"Handle protocol or configuration error\r\n", "",
     EFI_DEVICE_ERROR},
    // Without the shell's interface the image ends in start-up, silently.
    {"no shell", {u"CB0"}, nullptr, u"", "", EFI_UNSUPPORTED, true, true},
};

TEST(FrontEnd, CommandLinesGiveTheirTextTrafficAndStatus) {
  for (const FrontEndCase &Case : FrontEndCases) {
    FakeFirmware Firmware;
    std::optional<FakeShell> Shell;
    if (!Case.NoShell) {
      Shell.emplace(Firmware, Case.Arguments);
    }
    RootBridge &Bridge = Firmware.AddRootBridge();
    Rig S{Firmware, Shell ? &*Shell : nullptr, Bridge};
    if (Case.Prepare) {
      Case.Prepare(S);
    }
    RunResult Result = Firmware.Run([&] { return EcToolMain(Firmware.ImageHandle, &Firmware.SystemTable); });
    EXPECT_EQ(Narrow(Firmware.ConOut.Text()), Narrow(Case.WantText)) << Case.Name;
    EXPECT_EQ(Describe(Firmware.Ec.Log), Case.WantLog) << Case.Name;
    EXPECT_EQ(Result.Status, Case.WantStatus) << Case.Name;
    EXPECT_EQ(Result.Exited, Case.WantExited) << Case.Name;
    EXPECT_TRUE(Firmware.PoolBalanced()) << Case.Name;
  }
}

// The usage text is nine prints, each its own piece on the console, with no
// attribute change or cursor move between them.
TEST(FrontEnd, UsageTextIsNinePrints) {
  FakeFirmware Firmware;
  FakeShell Shell(Firmware, {});
  Firmware.AddRootBridge();
  Firmware.Run([&] { return EcToolMain(Firmware.ImageHandle, &Firmware.SystemTable); });
  std::vector<std::u16string> Want;
  size_t Start = 0;
  for (size_t End; (End = UsageText.find(u"\r\n", Start)) != std::u16string::npos; Start = End + 2) {
    // A piece ends at a line feed that is followed by a blank or a letter,
    // not by a second line end.
    if (UsageText.compare(End + 2, 2, u"\r\n") == 0) {
      End += 2;
    }
    Want.push_back(UsageText.substr(Start, End + 2 - Start));
  }
  ASSERT_EQ(Want.size(), 9u);
  EXPECT_EQ(Firmware.ConOut.Pieces(), Want);
  EXPECT_EQ(Firmware.ConOut.Events.size(), 9u);
}

// How many console prints had happened when the first byte reached the EC.
size_t PrintsBeforeFirstWrite;
EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_IO_MEM PlainWrite;

EFI_STATUS EFIAPI NoteFirstWrite(EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *This, EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL_WIDTH Width,
                                 UINT64 Address, UINTN Count, VOID *Buffer) {
  if (PrintsBeforeFirstWrite == SIZE_MAX) {
    PrintsBeforeFirstWrite = FakeFirmware::Current().ConOut.Events.size();
  }
  return PlainWrite(This, Width, Address, Count, Buffer);
}

// The trace goes out before the bytes it names, except in the read form,
// which must wait for the result byte.
TEST(FrontEnd, TraceLineGoesOutBeforeTheTransactionUnlessItShowsTheResult) {
  struct {
    std::vector<std::u16string> Arguments;
    size_t WantPrintsBeforeFirstWrite;
  } const Cases[] = {
      {{u"CB0"}, 1},
      {{u"CAC", u"I"}, 0},
      {{u"C9E", u"D01"}, 1},
  };
  for (const auto &Case : Cases) {
    FakeFirmware Firmware;
    FakeShell Shell(Firmware, Case.Arguments);
    RootBridge &Bridge = Firmware.AddRootBridge();
    PlainWrite = Bridge.Protocol.Io.Write;
    Bridge.Protocol.Io.Write = NoteFirstWrite;
    PrintsBeforeFirstWrite = SIZE_MAX;
    Firmware.Run([&] { return EcToolMain(Firmware.ImageHandle, &Firmware.SystemTable); });
    EXPECT_EQ(PrintsBeforeFirstWrite, Case.WantPrintsBeforeFirstWrite) << Narrow(Case.Arguments[0]);
    EXPECT_EQ(Firmware.ConOut.Events.size(), 1u);
  }
}

TEST(FrontEnd, HexDigitValueLooksAtTheLowByteOnly) {
  struct {
    CHAR16 Unit;
    UINT8 Want;
  } const Cases[] = {
      {u'0', 0},       {u'9', 9},       {u'A', 10},   {u'F', 15},   {u'a', 10},   {u'f', 15},
      {u'G', 0xFF},    {u'g', 0xFF},    {u'/', 0xFF}, {u':', 0xFF}, {u'@', 0xFF}, {u'`', 0xFF},
      {0, 0xFF},       {u'\u0139', 9},  {u'\u0146', 15},            {u'\uFF30', 0}, {u'\u0100', 0xFF},
  };
  for (const auto &Case : Cases) {
    EXPECT_EQ(HexDigitValue(Case.Unit), Case.Want) << "unit " << static_cast<unsigned>(Case.Unit);
  }
}

}  // namespace
}  // namespace fake
