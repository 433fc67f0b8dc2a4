// Page break on the system console: rows and columns counted over the pieces
// the engine flushes, the prompt and its keys, and quitting.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "tests/fake/ImageState.h"
#include "runtime/Pool.h"
#include "tests/print/PagerTestFixture.h"

namespace fake {
namespace {

TEST_F(PagerTest, PromptsAfterRowsLinesThenCountsFromRestartRow) {
  ASSERT_EQ(EnablePageBreak(3, 80, 1, FALSE), EFI_SUCCESS);
  Firmware.ConIn.Type(u"\r\r");
  PrintToConsole(u"1\n2\n3\n4\n5\n6\n");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"1\r\n", u"2\r\n", u"3\r\n", Prompt, u"\r\n", u"4\r\n", u"5\r\n",
                                                  Prompt, u"\r\n", u"6\r\n"}));
  EXPECT_EQ(Events.Log, (std::vector<std::string>{"WaitForEvent(WaitForKey) = 0", "WaitForEvent(WaitForKey) = 0"}));
  EXPECT_EQ(PageBreakState.RowCount, 2u);
  EXPECT_EQ(PageBreakState.ColumnCount, 0u);
}

// The counts carry over from one run to the next.
TEST_F(PagerTest, CountsCarryAcrossRuns) {
  ASSERT_EQ(EnablePageBreak(2, 80, 0, FALSE), EFI_SUCCESS);
  Firmware.ConIn.Type(u"\r");
  PrintToConsole(u"ab");
  PrintToConsole(u"c\n");
  PrintToConsole(u"d\nrest");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"ab", u"c\r\n", u"d\r\n", Prompt, u"\r\n", u"rest"}));
  EXPECT_EQ(PageBreakState.ColumnCount, 4u);
}

struct LineCase {
  const char *Name;
  UINTN Columns;
  BOOLEAN InsertLineBreaks;
  const CHAR16 *Text;
  std::string Want;
  UINTN RowCount;
  UINTN ColumnCount;
};

const LineCase LineCases[] = {
    // A line of exactly Columns characters and its CR LF: two rows.
    {"full line then CR LF", 4, FALSE, u"abcd\n", Pieces({u"abcd", u"\r\n"}), 2, 0},
    {"full lines inserted", 4, TRUE, u"abcdefghij\n", Pieces({u"abcd", u"\r\n", u"efgh", u"\r\n", u"ij\r\n"}), 3, 0},
    {"full lines not inserted", 4, FALSE, u"abcdefghij\n", Pieces({u"abcd", u"efgh", u"ij\r\n"}), 3, 0},
    {"inserted break then CR LF", 4, TRUE, u"abcd\n", Pieces({u"abcd", u"\r\n", u"\r\n"}), 2, 0},
    // A lone CR is a column like any other.
    {"lone CR counts", 4, FALSE, u"ab\rcd", Pieces({u"ab\rc", u"d"}), 1, 1},
    // A backspace takes a column back.
    {"backspace mid line", 4, FALSE, u"abc\bdef", Pieces({u"abc\bde", u"f"}), 1, 1},
    // At the start of a line it wraps below 0; the next character brings the
    // count back to 0.
    {"backspace at line start", 4, FALSE, u"\babcdef", Pieces({u"\babcde", u"f"}), 1, 1},
    // A CR that reaches the limit does not fill the line, and the line then
    // runs past it.
    {"CR at the limit", 4, FALSE, u"abc\rdefg", Pieces({u"abc\rdefg"}), 0, 8},
    {"nothing to write", 4, FALSE, u"", Pieces({}), 0, 0},
};

TEST_F(PagerTest, LinesEndAtCrLfOrAtTheColumnLimit) {
  for (const LineCase &Case : LineCases) {
    Firmware.ConOut.Events.clear();
    ASSERT_EQ(EnablePageBreak(50, Case.Columns, 0, Case.InsertLineBreaks), EFI_SUCCESS);
    PrintToConsole(Case.Text);
    EXPECT_EQ(Firmware.ConOut.Transcript(), Case.Want) << Case.Name;
    EXPECT_EQ(PageBreakState.RowCount, Case.RowCount) << Case.Name;
    EXPECT_EQ(PageBreakState.ColumnCount, Case.ColumnCount) << Case.Name;
  }
  EXPECT_TRUE(Events.Log.empty());
}

// A full buffer that ends in CR is flushed before its LF: the LF at the
// start of the next flush still ends the line, seen through the look-behind.
TEST_F(PagerTest, LineFeedAfterAFlushedCarriageReturnEndsTheLine) {
  constexpr size_t BufferCharacters = 1021;
  ASSERT_EQ(EnablePageBreak(1, 5000, 0, FALSE), EFI_SUCCESS);
  Firmware.ConIn.Type(u"\r");
  std::u16string Long(BufferCharacters - 1, u'x');
  PrintToConsole(u"%s\r\nnext", Long.c_str());
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({Long + u"\r", u"\n", Prompt, u"\r\n", u"next"}));
  EXPECT_EQ(PageBreakState.RowCount, 0u);
}

EFI_STATUS ToConsole(VOID *Context, const CHAR16 *Text) {
  auto *Console = static_cast<EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *>(Context);
  return Console->OutputString(Console, Text);
}

// The pager on a flushed buffer of its own making: the pieces it writes,
// and the buffer as it leaves it (the engine takes its look-behind from it).
struct FlushedBuffer {
  CHAR16 Block[16];
  FORMAT_STATE State = {};

  FlushedBuffer(FakeFirmware &Firmware, const std::u16string &Text) {
    std::fill(std::begin(Block), std::end(Block), u'#');
    Block[0] = 0;
    Block[1] = 0;
    std::copy(Text.begin(), Text.end(), Block + 2);
    State.BufferStart = Block + 2;
    State.BufferEnd = Block + 15;
    State.Cursor = Block + 2 + Text.size();
    *State.Cursor = 0;
    State.Output = ToConsole;
    State.Context = Firmware.SystemTable.ConOut;
  }
};

TEST_F(PagerTest, PiecesAreCutWithoutChangingTheBuffer) {
  ASSERT_EQ(EnablePageBreak(9, 3, 0, FALSE), EFI_SUCCESS);
  const std::u16string Text = u"ab\r\ncdefg";
  FlushedBuffer Flushed(Firmware, Text);
  PageBreakOutput(&Flushed.State);
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"ab\r\n", u"cde", u"fg"}));
  EXPECT_EQ(std::u16string(Flushed.Block + 2), Text);
  EXPECT_EQ(Flushed.Block[15], u'#');
}

// A zero character ends the scan as it ends the piece on the plain path.
TEST_F(PagerTest, ZeroCharacterEndsTheScan) {
  ASSERT_EQ(EnablePageBreak(1, 80, 0, FALSE), EFI_SUCCESS);
  FlushedBuffer Flushed(Firmware, std::u16string(u"ab\0c\r\nd\r\n", 9));
  PageBreakOutput(&Flushed.State);
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"ab"}));
  EXPECT_EQ(PageBreakState.RowCount, 0u);
  EXPECT_EQ(PageBreakState.ColumnCount, 2u);
}

struct KeyCase {
  const char *Name;
  std::vector<FakeKeyboard::Stroke> Keys;
  std::vector<std::u16string> Echo;  // what the prompt writes after itself
  bool Quits;
  UINTN Waits;
};

FakeKeyboard::Stroke Char(CHAR16 Character) { return {EFI_SUCCESS, {SCAN_NULL, Character}}; }
FakeKeyboard::Stroke Scan(UINT16 ScanCode) { return {EFI_SUCCESS, {ScanCode, 0}}; }
const FakeKeyboard::Stroke Enter = Char(u'\r');
const FakeKeyboard::Stroke ReadFails = {EFI_DEVICE_ERROR, {SCAN_NULL, u'z'}};

const KeyCase KeyCases[] = {
    {"Enter", {Enter}, {u"\r\n"}, false, 1},
    {"q then Enter", {Char(u'q'), Enter}, {u" q", u"\r\n"}, true, 2},
    {"Q then Enter", {Char(u'Q'), Enter}, {u" Q", u"\r\n"}, true, 2},
    {"q, x, Enter", {Char(u'q'), Char(u'x'), Enter}, {u" q", u"\bx", u"\r\n"}, false, 3},
    {"x, q, Enter", {Char(u'x'), Char(u'q'), Enter}, {u" x", u"\bq", u"\r\n"}, true, 3},
    {"ESC", {Scan(SCAN_ESC)}, {u"\r\n"}, true, 1},
    {"q then ESC", {Char(u'q'), Scan(SCAN_ESC)}, {u" q", u"\r\n"}, true, 2},
    {"x then ESC", {Char(u'x'), Scan(SCAN_ESC)}, {u" x", u"\r\n"}, true, 2},
    {"ignored keys", {Char(0x08), Scan(0x01), Scan(SCAN_NULL), Enter}, {u"\r\n"}, false, 4},
    {"backspace after q", {Char(u'q'), Char(0x08), Enter}, {u" q", u"\r\n"}, true, 3},
    {"failed read", {ReadFails, Enter}, {u"\r\n"}, false, 2},
};

TEST_F(PagerTest, PromptKeys) {
  for (const KeyCase &Case : KeyCases) {
    ResetImageState(Firmware);
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    Firmware.ConOut.Events.clear();
    Events.Log.clear();
    Firmware.ConIn.Keys.assign(Case.Keys.begin(), Case.Keys.end());
    ASSERT_EQ(EnablePageBreak(2, 80, 0, FALSE), EFI_SUCCESS);

    PrintToConsole(u"a\nb\nc\n");
    std::string Want = Pieces({u"a\r\n", u"b\r\n", Prompt});
    for (const std::u16string &Piece : Case.Echo) {
      Want += Pieces({Piece});
    }
    if (!Case.Quits) {
      Want += Pieces({u"c\r\n"});
    }
    EXPECT_EQ(Firmware.ConOut.Transcript(), Want) << Case.Name;
    EXPECT_EQ(PageBreakState.Quit, Case.Quits ? TRUE : FALSE) << Case.Name;
    // Enter restarts the count; ESC leaves it where the prompt found it.
    bool ByEscape = Case.Keys.back().Key.ScanCode == SCAN_ESC;
    EXPECT_EQ(PageBreakState.RowCount, ByEscape ? 2u : Case.Quits ? 0u : 1u) << Case.Name;
    EXPECT_EQ(Events.Log.size(), Case.Waits) << Case.Name;
    EXPECT_TRUE(Firmware.ConIn.Keys.empty()) << Case.Name;
  }
}

// After a quit the console stays silent for the image's life, without
// allocating; buffers still fill.
TEST_F(PagerTest, AfterQuittingOnlyTheConsoleIsOff) {
  ASSERT_EQ(EnablePageBreak(1, 80, 0, FALSE), EFI_SUCCESS);
  Firmware.ConIn.Type(u"q\r");
  PrintToConsole(u"one\ntwo\n");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"one\r\n", Prompt, u" q", u"\r\n"}));

  Firmware.ConOut.Events.clear();
  size_t Allocations = Firmware.AllocationCount;
  EXPECT_EQ(PrintToConsole(u"three %d\n", 3), 0u);
  EXPECT_TRUE(Firmware.ConOut.Events.empty());
  EXPECT_EQ(Firmware.AllocationCount, Allocations);

  CHAR16 Buffer[32];
  EXPECT_EQ(PrintToBuffer(Buffer, sizeof(Buffer), u"still %d\n", 4), 9u);
  EXPECT_EQ(std::u16string(Buffer), u"still 4\r\n");
  POOL_STRING String = {nullptr, 0, 0};
  EXPECT_NE(PrintAppend(&String, u"and %s", u"this"), nullptr);
  EXPECT_EQ(std::u16string(String.Str), u"and this");
  PoolFree(String.Str);
}

// RowCount is raised before it is compared, and only equality prompts.
TEST_F(PagerTest, RowsZeroNeverPrompts) {
  PageBreakState.Enabled = TRUE;
  PageBreakState.Columns = 3;
  PrintToConsole(u"1\n2\n3\nabcdef\n");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"1\r\n", u"2\r\n", u"3\r\n", u"abc", u"def", u"\r\n"}));
  EXPECT_EQ(PageBreakState.RowCount, 6u);
  EXPECT_TRUE(Events.Log.empty());
}

// Other destinations take the plain path while page break is on.
TEST_F(PagerTest, PageBreakAppliesToTheSystemConsoleOnly) {
  ASSERT_EQ(EnablePageBreak(1, 2, 0, TRUE), EFI_SUCCESS);
  CHAR16 Buffer[32];
  PrintToBuffer(Buffer, sizeof(Buffer), u"abcdef\n\n");
  EXPECT_EQ(std::u16string(Buffer), u"abcdef\r\n\r\n");
  FakeConsole Other;
  PrintToTextOutput(PrintKeepCursor, PrintKeepCursor, &Other.Protocol, u"abc\nd\n", nullptr, PackSlots().Args());
  EXPECT_EQ(Other.Transcript(), Pieces({u"abc\r\nd\r\n"}));
  EXPECT_EQ(PageBreakState.RowCount, 0u);
  EXPECT_TRUE(Events.Log.empty());
}

struct EnableCase {
  UINTN Rows;
  UINTN RestartRow;
  EFI_STATUS Want;
};

const EnableCase EnableCases[] = {
    {3, 0, EFI_SUCCESS},
    {3, 2, EFI_SUCCESS},
    {3, 3, EFI_INVALID_PARAMETER},
    {3, 4, EFI_INVALID_PARAMETER},
    {0, 0, EFI_INVALID_PARAMETER},
    {1, 0, EFI_SUCCESS},
};

TEST_F(PagerTest, EnablingStartsCountingAfresh) {
  for (const EnableCase &Case : EnableCases) {
    const PAGE_BREAK_STATE Before = {FALSE, FALSE, 9, 9, 8, 7, 5, TRUE, TRUE};
    PageBreakState = Before;
    EXPECT_EQ(EnablePageBreak(Case.Rows, 80, Case.RestartRow, TRUE), Case.Want) << Case.Rows << "," << Case.RestartRow;
    if (IsError(Case.Want)) {
      EXPECT_EQ(std::memcmp(&PageBreakState, &Before, sizeof(Before)), 0) << "refused, yet changed";
      continue;
    }
    EXPECT_EQ(PageBreakState.Enabled, TRUE);
    EXPECT_EQ(PageBreakState.InsertLineBreaks, TRUE);
    EXPECT_EQ(PageBreakState.Rows, Case.Rows);
    EXPECT_EQ(PageBreakState.Columns, 80u);
    EXPECT_EQ(PageBreakState.RestartRow, Case.RestartRow);
    EXPECT_EQ(PageBreakState.RowCount, 0u);
    EXPECT_EQ(PageBreakState.ColumnCount, 0u);
    EXPECT_EQ(PageBreakState.Quit, FALSE);
    EXPECT_EQ(PageBreakState.OutputPause, TRUE) << "the pause is not the pager's to clear";
  }
}

// Turning page break on again takes back a quit.
TEST_F(PagerTest, EnablingAgainAfterAQuitRestoresOutput) {
  ASSERT_EQ(EnablePageBreak(1, 80, 0, FALSE), EFI_SUCCESS);
  Firmware.ConIn.Press(SCAN_ESC);
  PrintToConsole(u"one\ntwo\n");
  ASSERT_EQ(PageBreakState.Quit, TRUE);
  ASSERT_EQ(EnablePageBreak(2, 80, 0, FALSE), EFI_SUCCESS);
  Firmware.ConOut.Events.clear();
  PrintToConsole(u"three\n");
  EXPECT_EQ(Firmware.ConOut.Transcript(), Pieces({u"three\r\n"}));
}

}  // namespace
}  // namespace fake
