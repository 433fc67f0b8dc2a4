// The buffer destinations: the limit of a fixed buffer, the growth of a pool
// string, and every run's two pool blocks, also when one cannot be had.
#include <set>

#include "runtime/Pool.h"
#include "tests/print/PrintTestFixture.h"

namespace fake {
namespace {

constexpr CHAR16 Guard = 0xAAAA;

struct LimitCase {
  UINTN Size;
  const CHAR16 *Format;
  UINTN WantLength;
  std::u16string WantUnits;  // the buffer's first units afterwards
};

TEST_F(PrintTest, FixedBufferKeepsWithinItsSize) {
  const std::u16string G(1, Guard);
  const LimitCase Cases[] = {
      {10, u"abcdef", 4, u"abcd" + std::u16string(1, 0) + G + G + G},
      {11, u"abcdef", 4, u"abcd" + std::u16string(1, 0) + G + G + G},
      {10, u"ab", 2, u"ab" + std::u16string(1, 0) + G + G + G + G + G},
      {10, u"abc\n", 4, u"abc\r" + std::u16string(1, 0) + G + G + G},
      {4, u"abcdef", 1, u"a" + std::u16string(1, 0) + G + G + G + G + G + G},
      // Below 4 bytes there is no room even for the terminator.
      {3, u"abcdef", 0, G + G + G + G + G + G + G + G},
      {2, u"abcdef", 0, G + G + G + G + G + G + G + G},
      {1, u"abcdef", 0, G + G + G + G + G + G + G + G},
      {0, u"abcdef", 0, G + G + G + G + G + G + G + G},
  };
  for (const LimitCase &Case : Cases) {
    std::u16string Buffer(8, Guard);
    UINTN Length = PrintToBuffer(Buffer.data(), Case.Size, Case.Format);
    EXPECT_EQ(Length, Case.WantLength) << "size " << Case.Size;
    EXPECT_EQ(Narrow(Buffer), Narrow(Case.WantUnits)) << "size " << Case.Size;
  }
  EXPECT_TRUE(Firmware.PoolBalanced());
}

// Text over several flushes is cut at the limit, and the cut holds.
TEST_F(PrintTest, FixedBufferCutsTextLongerThanAFlush) {
  std::u16string Long(3000, u'x');
  std::vector<CHAR16> Buffer(1600, Guard);
  EXPECT_EQ(PrintToBuffer(Buffer.data(), 1500 * sizeof(CHAR16), u"%s", Long.c_str()), 1499u);
  EXPECT_EQ(std::u16string(Buffer.data()), std::u16string(1499, u'x'));
  EXPECT_EQ(Buffer[1500], Guard);
}

TEST_F(PrintTest, PoolStringGrowsOnlyWhenTheTextNoLongerFits) {
  POOL_STRING String = {nullptr, 0, 0};
  CHAR16 *First = PrintAppend(&String, u"hello");
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(String.Length, 5u);
  EXPECT_EQ(String.Capacity, 5u + 1 + 1024);
  ASSERT_EQ(Firmware.OutstandingBlocks().size(), 1u);
  EXPECT_EQ(Firmware.OutstandingBlocks().at(First).Size, (5u + 1 + 1024) * sizeof(CHAR16));

  size_t Allocations = Firmware.AllocationCount;
  EXPECT_EQ(PrintAppend(&String, u" %s %d", u"world", 42), First);
  EXPECT_EQ(std::u16string(String.Str), u"hello world 42");
  EXPECT_EQ(Firmware.AllocationCount, Allocations + 2);  // the run's own two blocks only

  // 1100 more characters: the first flush of 1021 no longer fits and grows
  // the string by its need plus 1024; the rest fits.
  std::u16string More(1100, u'm');
  CHAR16 *Grown = PrintAppend(&String, u"%s", More.c_str());
  ASSERT_NE(Grown, nullptr);
  EXPECT_EQ(String.Length, 14u + 1100);
  EXPECT_EQ(String.Capacity, 14u + 1021 + 1 + 1024);
  EXPECT_EQ(std::u16string(String.Str), u"hello world 42" + More);
  EXPECT_EQ(Firmware.OutstandingBlocks().size(), 1u);
  PoolFree(String.Str);
}

// A failed growth drops the string and the rest of that append, also when
// later flushes of the same run would find pool again; the next append
// starts a new string.
TEST_F(PrintTest, FailedGrowthDropsTheString) {
  const std::u16string Long(1500, u'y');
  struct {
    const char *Name;
    const CHAR16 *Format;
    std::vector<UINT64> Values;
  } const Cases[] = {
      {"one flush", u"text", {}},
      {"text longer than a flush", u"%s", {Slot(Long.c_str())}},
      {"attribute letter flushes", u"%s%bs", {Slot(u"abc"), Slot(u"def")}},
  };
  for (const auto &Case : Cases) {
    POOL_STRING String = {nullptr, 0, 0};
    ASSERT_NE(PrintAppend(&String, u"old"), nullptr);
    // Make the next append need a growth; its run allocates the scratch, the
    // buffer, then the grown string.
    String.Capacity = String.Length + 1;
    Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + 3);
    EXPECT_EQ(PrintAppendArgs(&String, Case.Format, ArgsOf(Case.Values)), nullptr) << Case.Name;
    EXPECT_EQ(String.Str, nullptr) << Case.Name;
    EXPECT_EQ(String.Length, 0u) << Case.Name;
    EXPECT_EQ(String.Capacity, 0u) << Case.Name;
    EXPECT_TRUE(Firmware.PoolBalanced()) << Case.Name;

    ASSERT_NE(PrintAppend(&String, u"new"), nullptr);
    EXPECT_EQ(std::u16string(String.Str), u"new") << Case.Name;
    PoolFree(String.Str);
  }
}

std::multiset<size_t> BlocksDuringOutput;

EFI_STATUS EFIAPI RecordBlocksDuringOutput(EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL *, const CHAR16 *) {
  BlocksDuringOutput.clear();
  for (const auto &Entry : FakeFirmware::Current().OutstandingBlocks()) {
    BlocksDuringOutput.insert(Entry.second.Size);
  }
  return EFI_SUCCESS;
}

// Each run takes a 200-byte scratch and a 2048-byte buffer and frees both.
// Without either nothing is formatted, and the run reports
// EFI_OUT_OF_RESOURCES.
TEST_F(PrintTest, RunsFreeTheirBlocksAndStopWithoutThem) {
  FakeConsole Device;
  Device.Protocol.OutputString = RecordBlocksDuringOutput;
  size_t Before = Firmware.AllocationCount;
  PrintToTextOutput(PrintKeepCursor, PrintKeepCursor, &Device.Protocol, u"%d\n", nullptr, PackSlots(1).Args());
  EXPECT_EQ(Firmware.AllocationCount, Before + 2);
  EXPECT_EQ(BlocksDuringOutput, (std::multiset<size_t>{200, 2048}));
  EXPECT_TRUE(Firmware.PoolBalanced());

  for (unsigned Failing : {1u, 2u}) {
    Firmware.ConOut.Events.clear();
    unsigned Base = Firmware.Calls(Service::AllocatePool);

    Firmware.FailAllocation(Base + Failing);
    EXPECT_EQ(PrintToConsole(u"lost %d\n", 1), EFI_OUT_OF_RESOURCES) << Failing;
    EXPECT_TRUE(Firmware.ConOut.Events.empty()) << Failing;
    EXPECT_TRUE(Firmware.PoolBalanced()) << Failing;

    std::u16string Buffer(8, Guard);
    Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + Failing);
    EXPECT_EQ(PrintToBuffer(Buffer.data(), 16, u"lost"), 0u) << Failing;
    EXPECT_EQ(Buffer, std::u16string(8, Guard)) << Failing;  // not even a terminator
    EXPECT_TRUE(Firmware.PoolBalanced()) << Failing;

    POOL_STRING String = {nullptr, 0, 0};
    ASSERT_NE(PrintAppend(&String, u"kept"), nullptr);
    CHAR16 *Kept = String.Str;
    Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + Failing);
    EXPECT_EQ(PrintAppend(&String, u"lost"), Kept) << Failing;
    EXPECT_EQ(std::u16string(String.Str), u"kept") << Failing;
    PoolFree(String.Str);
    EXPECT_TRUE(Firmware.PoolBalanced()) << Failing;
  }
}

}  // namespace
}  // namespace fake
