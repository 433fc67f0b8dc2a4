// Device output on a recording console: the exact pieces handed to
// OutputString, the SetAttribute values between them, the flushes of a full
// buffer and the 8-bit format.
#include "print/PageBreakState.h"
#include "tests/print/PrintTestFixture.h"

namespace fake {
namespace {

// Characters that fill the output buffer exactly: one flush's worth.
constexpr size_t BufferCharacters = 1021;

struct AttributeCase {
  const char *Name;
  INT32 StartAttribute;
  const CHAR16 *Format;
  std::vector<UINT64> Values;
  const char *WantTranscript;
};

const CHAR16 Hi[] = u"hi";

const AttributeCase AttributeCases[] = {
    // A small letter lasts for one item; every change flushes first, so the
    // text before it goes out in the old attribute.
    {"small letter before s", 0x07, u"<%hs>", {Slot(Hi)}, "\"<\"[A=0F]\"hi\"[A=07]\">\""},
    // A capital letter holds for the rest and takes no value.
    {"capital letter", 0x07, u"a%H%d", {5}, "\"a\"[A=0F]\"5\""},
    {"capital then text", 0x07, u"%Es!", {}, "\"\"[A=0E]\"s!\""},
    // Several small letters return to the attribute before the last of them.
    {"two small letters", 0x07, u"%hes", {Slot(Hi)}, "\"\"[A=0F]\"\"[A=0E]\"hi\"[A=0F]\"\""},
    // A capital after a small one keeps the capital's attribute.
    {"small then capital", 0x07, u"%hEs", {}, "\"\"[A=0F]\"\"[A=0E]\"s\""},
    // Nothing restores to 0: a small letter used in attribute 0 stays.
    {"small letter in attribute 0", 0x00, u"%hs.", {Slot(Hi)}, "\"\"[A=0F]\"hi.\""},
    // A format that ends inside a directive still undoes a small letter.
    {"ends after a small letter", 0x07, u"x%b", {}, "\"x\"[A=09]\"\"[A=07]\"\""},
    {"ends inside after a small letter", 0x07, u"x%b-5", {}, "\"x\"[A=09]\"\"[A=07]\"\""},
    // The five letters keep the device's background.
    {"black background", 0x07, u"%N1%H2%E3%B4%V5", {},
     "\"\"[A=07]\"1\"[A=0F]\"2\"[A=0E]\"3\"[A=09]\"4\"[A=0A]\"5\""},
    {"blue background", 0x1E, u"%N1%H2%E3%B4%V5", {},
     "\"\"[A=16]\"1\"[A=1F]\"2\"[A=1E]\"3\"[A=19]\"4\"[A=1A]\"5\""},
    {"light grey background", 0x70, u"%N1%H2%V3", {}, "\"\"[A=70]\"1\"[A=7F]\"2\"[A=7A]\"3\""},
    // Mode.Attribute is signed: -1 widens to all ones, background 0xF.
    {"negative attribute", -1, u"%N1%H2", {}, "\"\"[A=F0]\"1\"[A=FF]\"2\""},
};

TEST_F(PrintTest, AttributeLettersOnTheConsole) {
  for (const AttributeCase &Case : AttributeCases) {
    Firmware.ConOut.Events.clear();
    Firmware.ConOut.Mode.Attribute = Case.StartAttribute;
    PrintToConsoleArgs(Case.Format, ArgsOf(Case.Values));
    EXPECT_EQ(Firmware.ConOut.Transcript(), Case.WantTranscript) << Case.Name;
  }
}

TEST_F(PrintTest, ConsoleCountsTheAddedCarriageReturns) {
  EXPECT_EQ(PrintToConsole(u"a\nb=%x\r\n", 0xAB), 9u);
  EXPECT_EQ(Firmware.ConOut.Transcript(), "\"a\\r\\nb=AB\\r\\n\"");
  EXPECT_TRUE(Firmware.PoolBalanced());
}

struct FlushCase {
  const char *Name;
  std::u16string Text;
  std::vector<std::u16string> WantPieces;
};

TEST_F(PrintTest, LineEndsAcrossFlushesOfAFullBuffer) {
  const std::u16string A(BufferCharacters - 1, u'a');
  const FlushCase Cases[] = {
      // The CR fills the buffer; its LF starts the next flush and gets no
      // second CR, thanks to the look-behind.
      {"CR LF split", A + u"\r\nb", {A + u"\r", u"\nb"}},
      // The CR the engine adds fills the buffer just the same.
      {"added CR split", A + u"\nb", {A + u"\r", u"\nb"}},
      // A full buffer of text before a bare LF: the LF gets its CR.
      {"LF after a full buffer", A + u"a\nb", {A + u"a", u"\r\nb"}},
      {"exactly one buffer", A + u"a", {A + u"a", u""}},
      {"two buffers and a bit", A + u"a" + A + u"a" + u"z", {A + u"a", A + u"a", u"z"}},
  };
  for (const FlushCase &Case : Cases) {
    Firmware.ConOut.Events.clear();
    UINTN Count = PrintToConsole(Case.Text.c_str());
    EXPECT_EQ(Firmware.ConOut.Pieces(), Case.WantPieces) << Case.Name;
    size_t Want = 0;
    for (const std::u16string &Piece : Case.WantPieces) {
      Want += Piece.size();
    }
    EXPECT_EQ(Count, Want) << Case.Name;
  }
}

// Each run starts with an empty look-behind: a line feed at its start gets a
// carriage return whatever the last run ended with.
TEST_F(PrintTest, EachRunStartsWithoutLookBehind) {
  PrintToConsole(u"a\r");
  PrintToConsole(u"\nb");
  EXPECT_EQ(Firmware.ConOut.Pieces(), (std::vector<std::u16string>{u"a\r", u"\r\nb"}));
}

TEST_F(PrintTest, EightBitFormatAndCursorPlacement) {
  FakeConsole Other;
  EXPECT_EQ(PrintToTextOutput(3, 4, &Other.Protocol, nullptr, "x=%x \xE9\n", PackSlots(0x1F).Args()), 8u);
  EXPECT_EQ(Other.Transcript(), "[@3,4]\"x=1F \u00E9\\r\\n\"");

  // The CHAR16 format wins over the 8-bit one; all ones leaves the cursor;
  // Row is not looked at.
  Other.Events.clear();
  PrintToTextOutput(PrintKeepCursor, 4, &Other.Protocol, u"wide", "narrow", PackSlots().Args());
  PrintToTextOutput(0, PrintKeepCursor, &Other.Protocol, nullptr, "narrow", PackSlots().Args());
  EXPECT_EQ(Other.Transcript(), "\"wide\"[@0,18446744073709551615]\"narrow\"");
  EXPECT_TRUE(Firmware.ConOut.Events.empty());
}

// Once the pager has quit, console runs write and allocate nothing; the
// other destinations go on.
TEST_F(PrintTest, QuitStopsConsoleOutputOnly) {
  PageBreakState.Quit = TRUE;
  size_t Allocations = Firmware.AllocationCount;
  EXPECT_EQ(PrintToConsole(u"gone %d\n", 1), 0u);
  EXPECT_TRUE(Firmware.ConOut.Events.empty());
  EXPECT_EQ(Firmware.AllocationCount, Allocations);

  CHAR16 Buffer[16];
  EXPECT_EQ(PrintToBuffer(Buffer, sizeof(Buffer), u"kept %d", 2), 6u);
  EXPECT_EQ(std::u16string(Buffer), u"kept 2");
  FakeConsole Other;
  PrintToTextOutput(PrintKeepCursor, PrintKeepCursor, &Other.Protocol, u"other", nullptr, PackSlots().Args());
  EXPECT_EQ(Other.Transcript(), "\"other\"");
}

}  // namespace
}  // namespace fake
