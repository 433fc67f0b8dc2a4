// The 'r', 't' and 'g' directives and their renderers: status names and
// codes, times on the 12-hour clock, GUIDs by shell name or in registry form,
// and the lookup of the shell environment that names them.
#include "platform/EfiTime.h"
#include "print/GuidText.h"
#include "print/StatusText.h"
#include "tests/fake/FakeShell.h"
#include "tests/print/PrintTestFixture.h"

namespace fake {
namespace {

struct StatusCase {
  const CHAR16 *Format;
  EFI_STATUS Status;
  const CHAR16 *Want;
};

const StatusCase StatusCases[] = {
    {u"%r", 0, u"Success"},
    {u"%r", 1, u"Warning Unknown Glyph"},
    {u"%r", 5, u"Warning Return From Long Jump"},
    {u"%r", 0x8000000000000001ULL, u"Load Error"},
    {u"%r", 0x8000000000000009ULL, u"Out of Resources"},
    {u"%r", 0x8000000000000012ULL, u"Time Out"},
    {u"%r", 0x8000000000000016ULL, u"ICMP Error"},
    {u"%r", 0x800000000000001BULL, u"CRC Error"},
    {u"%r", 0xC000000000000000ULL, u"Not Available Yet"},
    {u"%r", 0xC000000000000001ULL, u"Unload Image"},
    // Outside the table: the value in hexadecimal, no prefix, no leading zeros.
    {u"%r", 6, u"6"},
    {u"%r", 0x2A, u"2A"},
    {u"%r", 0x800000000000001CULL, u"800000000000001C"},
    {u"%r", 0xC000000000000002ULL, u"C000000000000002"},
    {u"%r", 0x4000000000000001ULL, u"4000000000000001"},  // no masking of the top bits
    {u"%r", 0x0000000000000012ULL, u"12"},                // Time Out's code without its error bit
    // The text is an item like any other.
    {u"[%12r]", 0, u"[     Success]"},
    {u"[%.7r]", 5, u"[Warning]"},
    {u"[%-.10r]", 0x800000000000000EULL, u"[Not Found ]"},
    {u"[%06r]", 0x2A, u"[00002A]"},
};

TEST_F(PrintTest, StatusPrintsItsNameOrItsCode) {
  for (const StatusCase &Case : StatusCases) {
    EXPECT_EQ(Narrow(Format(Case.Format, {Case.Status})), Narrow(Case.Want)) << std::hex << Case.Status;
  }
}

// Called as the engine calls it: the scratch holds the text and its
// terminator, whatever it held before.
TEST_F(PrintTest, StatusTextIsTerminatedInTheScratch) {
  CHAR16 Scratch[100];
  for (CHAR16 &Unit : Scratch) {
    Unit = u'#';
  }
  StatusToText(Scratch, EFI_NOT_READY);
  EXPECT_EQ(std::u16string(Scratch), u"Not Ready");
  StatusToText(Scratch, 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(std::u16string(Scratch), u"FFFFFFFFFFFFFFFF");
}

EFI_TIME TimeOf(UINT16 Year, UINT8 Month, UINT8 Day, UINT8 Hour, UINT8 Minute) {
  EFI_TIME Time = {};
  Time.Year = Year;
  Time.Month = Month;
  Time.Day = Day;
  Time.Hour = Hour;
  Time.Minute = Minute;
  Time.Second = 59;
  Time.Nanosecond = 999999999;
  Time.TimeZone = -60;
  Time.Daylight = 1;
  return Time;
}

struct TimeCase {
  EFI_TIME Time;
  const CHAR16 *Want;
};

const TimeCase TimeCases[] = {
    {TimeOf(2024, 3, 7, 0, 5), u"03/07/24  12:05a"},
    {TimeOf(2024, 12, 31, 11, 59), u"12/31/24  11:59a"},
    {TimeOf(2024, 1, 1, 12, 0), u"01/01/24  12:00p"},
    {TimeOf(2024, 1, 1, 13, 30), u"01/01/24  01:30p"},
    {TimeOf(2024, 1, 1, 23, 9), u"01/01/24  11:09p"},
    {TimeOf(2000, 2, 29, 1, 1), u"02/29/00  01:01a"},
    {TimeOf(1900, 10, 10, 10, 10), u"10/10/00  10:10a"},
    {TimeOf(1999, 9, 9, 9, 9), u"09/09/99  09:09a"},
    // Out of range: every digit shows, hours above 23 count as afternoon.
    {TimeOf(65535, 255, 200, 255, 99), u"255/200/35  243:99p"},
    {TimeOf(2024, 0, 0, 24, 60), u"00/00/24  12:60p"},
};

TEST_F(PrintTest, TimePrintsOnTheTwelveHourClock) {
  for (const TimeCase &Case : TimeCases) {
    EXPECT_EQ(Narrow(Format(u"%t", {Slot(&Case.Time)})), Narrow(Case.Want));
  }
  EFI_TIME Time = TimeOf(2024, 3, 7, 14, 5);
  EXPECT_EQ(Format(u"[%20t]", {Slot(&Time)}), u"[    03/07/24  02:05p]");
  EXPECT_EQ(Format(u"[%.8t]", {Slot(&Time)}), u"[03/07/24]");
}

TEST_F(PrintTest, NullTimePrintsLikeANullString) {
  EXPECT_EQ(Format(u"[%t|%d]", {0, 7}), u"[(null)|7]");
}

constexpr EFI_GUID SmallGuid = {0x1, 0x2, 0x3, {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xAB}};
constexpr EFI_GUID NamedGuid = {0x09576E91, 0x6D3F, 0x11D2, {0x8E, 0x39, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}};

// A shell environment on a handle of its own, as the GUID lookup finds it.
struct GuidTest : PrintTest {
  FakeShellEnvironment Shell;
  EFI_HANDLE ShellHandle = nullptr;

  void InstallShell() {
    ShellHandle = Firmware.NewHandle();
    Firmware.Install(ShellHandle, ShellEnvironmentProtocolGuid, &Shell.Protocol);
  }
  unsigned Lookups() const { return Firmware.Calls(Service::LocateHandle); }
};

TEST_F(GuidTest, UnnamedGuidPrintsInRegistryForm) {
  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  EXPECT_EQ(Format(u"%g", {Slot(&SmallGuid)}), u"00000001-0002-0003-0001-0203040506AB");
  EXPECT_EQ(Format(u"%g", {Slot(&ShellEnvironmentProtocolGuid)}), u"47C7B221-C42A-11D2-8E57-00A0C969723B");
  EXPECT_EQ(Format(u"[%.8g]", {Slot(&SmallGuid)}), u"[00000001]");
  EXPECT_EQ(Shell.NameLookups, 3u);
}

TEST_F(GuidTest, NamedGuidPrintsItsNameAsAnItem) {
  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  struct {
    const CHAR16 *Format;
    const CHAR16 *Want;
  } const Cases[] = {
      {u"%g", u"DevicePath"},
      {u"[%14g]", u"[    DevicePath]"},
      {u"[%.6g]", u"[Device]"},
      {u"[%-.12g]", u"[DevicePath  ]"},
      {u"[%.12g]", u"[  DevicePath]"},
  };
  for (const auto &Case : Cases) {
    EXPECT_EQ(Narrow(Format(Case.Format, {Slot(&NamedGuid)})), Narrow(Case.Want)) << Narrow(Case.Format);
  }
}

TEST_F(GuidTest, LongNameIsCutAtTheScratch) {
  InstallShell();
  std::u16string Long(150, u'n');
  Long[98] = u'L';
  Long[99] = u'X';
  Shell.Names[GuidKey(NamedGuid)] = Long;
  EXPECT_EQ(Format(u"%g|", {Slot(&NamedGuid)}), Long.substr(0, 99) + u"|");
}

// Without a shell environment every GUID prints in numeric form, and every
// print looks again, so an environment that appears later is used.
TEST_F(GuidTest, MissingEnvironmentIsLookedUpAgain) {
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"09576E91-6D3F-11D2-8E39-00A0C969723B");
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"09576E91-6D3F-11D2-8E39-00A0C969723B");
  EXPECT_EQ(Lookups(), 2u);
  EXPECT_EQ(GuidNameSource, nullptr);

  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"DevicePath");
  EXPECT_EQ(Lookups(), 3u);
  EXPECT_EQ(GuidNameSource, &Shell.Protocol);
}

TEST_F(GuidTest, FailedLookupLeavesTheSourceEmpty) {
  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  Firmware.FailCall(Service::LocateHandle, 1, EFI_DEVICE_ERROR);
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"09576E91-6D3F-11D2-8E39-00A0C969723B");
  EXPECT_EQ(GuidNameSource, nullptr);
  EXPECT_EQ(Shell.NameLookups, 0u);
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"DevicePath");
}

// Once found, the instance is kept: no second search, even when the handle
// no longer carries it.
TEST_F(GuidTest, FoundEnvironmentIsKept) {
  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  EXPECT_EQ(Format(u"%g %g", {Slot(&NamedGuid), Slot(&SmallGuid)}),
            u"DevicePath 00000001-0002-0003-0001-0203040506AB");
  EXPECT_EQ(Lookups(), 1u);
  Firmware.Uninstall(ShellHandle, ShellEnvironmentProtocolGuid);
  EXPECT_EQ(Format(u"%g", {Slot(&NamedGuid)}), u"DevicePath");
  EXPECT_EQ(Lookups(), 1u);
  EXPECT_EQ(Shell.NameLookups, 3u);
}

// The renderers' own prints are whole runs of their own; the run around them
// goes on where it was, on the console as in a buffer.
TEST_F(GuidTest, NestedPrintsLeaveTheOuterRunIntact) {
  InstallShell();
  Shell.Names[GuidKey(NamedGuid)] = u"DevicePath";
  EFI_TIME Time = {};
  Time.Year = 2024;
  Time.Month = 3;
  Time.Day = 7;
  Time.Hour = 14;
  Time.Minute = 5;
  const std::vector<UINT64> Values = {1, Slot(&NamedGuid), 0xAB, Slot(&Time), EFI_TIMEOUT, Slot(&SmallGuid), 6};
  const CHAR16 *Pattern = u"<%-5d%g%5x|%t|%r|%g|%r>\n";
  const CHAR16 *Want = u"<    1DevicePath   AB|03/07/24  02:05p|Time Out|00000001-0002-0003-0001-0203040506AB|6>\r\n";
  EXPECT_EQ(Narrow(Format(Pattern, Values)), Narrow(Want));
  PrintToConsoleArgs(Pattern, ArgsOf(Values));
  EXPECT_EQ(Narrow(Firmware.ConOut.Text()), Narrow(Want));
  EXPECT_EQ(Firmware.ConOut.Pieces().size(), 1u);
}

// A nested print without pool writes nothing: the item shows what the
// scratch held from the directive before.
TEST_F(PrintTest, NestedPrintWithoutPoolKeepsTheScratch) {
  // The outer run takes the scratch and the buffer; the third block is the
  // nested run's scratch.
  Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + 3);
  EXPECT_EQ(Format(u"%x|%r|", {0xABC, 6}), u"ABC|ABC|");
  Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + 3);
  EXPECT_EQ(Format(u"%r|%d", {6, 7}), u"|7");
}

}  // namespace
}  // namespace fake
