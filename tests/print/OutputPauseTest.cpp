// The output pause: set under TPL_NOTIFY, it holds the next plain flush of
// any destination until a key stroke, which it consumes.
#include "runtime/Pool.h"
#include "tests/print/PagerTestFixture.h"

namespace fake {
namespace {

// The flag changes between the raise and the restore, never outside them.
TEST_F(PagerTest, SettingThePauseRaisesThePriorityAroundTheStore) {
  std::vector<std::string> Seen;
  Events.OnCall = [&](const std::string &Call) {
    Seen.push_back(Call + (PageBreakState.OutputPause ? " on" : " off"));
  };
  SetOutputPause(TRUE);
  SetOutputPause(FALSE);
  EXPECT_EQ(Seen, (std::vector<std::string>{"RaiseTPL(16) = 4 off", "RestoreTPL(4) on", "RaiseTPL(16) = 4 on",
                                            "RestoreTPL(4) off"}));
  EXPECT_EQ(Events.CurrentTpl, TPL_APPLICATION);
}

// The priority goes back to what it was, not to TPL_APPLICATION.
TEST_F(PagerTest, SettingThePauseRestoresThePreviousPriority) {
  Events.CurrentTpl = TPL_CALLBACK;
  SetOutputPause(TRUE);
  EXPECT_EQ(Events.Log, (std::vector<std::string>{"RaiseTPL(16) = 8", "RestoreTPL(8)"}));
  EXPECT_EQ(Events.CurrentTpl, TPL_CALLBACK);
  Events.CurrentTpl = TPL_APPLICATION;
}

struct PauseDestination {
  const char *Name;
  std::function<void(PrintTest &)> Print;
};

TEST_F(PagerTest, PauseConsumesOneKeyBeforeAPlainFlushOfAnyDestination) {
  CHAR16 Buffer[32];
  POOL_STRING String = {nullptr, 0, 0};
  const PauseDestination Destinations[] = {
      {"console", [](PrintTest &) { PrintToConsole(u"text"); }},
      {"buffer", [&](PrintTest &) { PrintToBuffer(Buffer, sizeof(Buffer), u"text"); }},
      {"pool string", [&](PrintTest &) { PrintAppend(&String, u"text"); }},
  };
  for (const PauseDestination &Destination : Destinations) {
    SetOutputPause(TRUE);
    // Reads that find nothing are polled through, without waiting on an event.
    Firmware.ConIn.Keys = {{EFI_NOT_READY, {}}, {EFI_DEVICE_ERROR, {}}, {EFI_SUCCESS, {SCAN_NULL, u'k'}},
                           {EFI_SUCCESS, {SCAN_NULL, u'l'}}};
    Firmware.ConIn.Reads = 0;
    Events.Log.clear();
    Destination.Print(*this);
    EXPECT_EQ(Firmware.ConIn.Reads, 3u) << Destination.Name;
    EXPECT_EQ(Firmware.ConIn.Keys.size(), 1u) << Destination.Name << ": one key consumed";
    EXPECT_EQ(PageBreakState.OutputPause, FALSE) << Destination.Name;
    EXPECT_EQ(Events.Log, (std::vector<std::string>{"RaiseTPL(16) = 4", "RestoreTPL(4)"})) << Destination.Name;
  }
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"text"}));
  EXPECT_EQ(std::u16string(Buffer), u"text");
  EXPECT_EQ(std::u16string(String.Str), u"text");
  PoolFree(String.Str);
}

// Only the first flush waits: one attribute change means three flushes here.
TEST_F(PagerTest, PauseHoldsOnlyTheNextFlush) {
  PageBreakState.OutputPause = TRUE;
  Firmware.ConIn.Type(u"k");
  PrintToConsole(u"a%hsb", u"hi");
  EXPECT_EQ(Firmware.ConOut.Transcript(), "\"a\"[A=0F]\"hi\"[A=07]\"b\"");
  EXPECT_EQ(Firmware.ConIn.Reads, 1u);
  EXPECT_EQ(PageBreakState.OutputPause, FALSE);
}

// A flush through page break leaves the pause pending; the next plain flush
// takes it.
TEST_F(PagerTest, PageBreakIgnoresThePause) {
  ASSERT_EQ(EnablePageBreak(5, 80, 0, FALSE), EFI_SUCCESS);
  PageBreakState.OutputPause = TRUE;
  Firmware.ConIn.Type(u"k");
  PrintToConsole(u"paged\n");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"paged\r\n"}));
  EXPECT_EQ(Firmware.ConIn.Reads, 0u);
  EXPECT_EQ(PageBreakState.OutputPause, TRUE);

  CHAR16 Buffer[16];
  PrintToBuffer(Buffer, sizeof(Buffer), u"plain");
  EXPECT_EQ(Firmware.ConIn.Reads, 1u);
  EXPECT_EQ(PageBreakState.OutputPause, FALSE);
}

}  // namespace
}  // namespace fake
