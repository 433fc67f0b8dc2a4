// Pool operations: memory type, zero fill, and the reallocation that frees
// the old block in every case.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {
namespace {

struct PoolTest : ::testing::Test {
  FakeFirmware Firmware;
  void SetUp() override { AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable); }
  size_t SizeOf(void *Block) { return Firmware.OutstandingBlocks().at(Block).Size; }
};

TEST_F(PoolTest, AllocatesInTheImageDataTypeAndZeroFillsOnRequest) {
  UINT8 *Block = static_cast<UINT8 *>(PoolAllocateZero(33));
  ASSERT_NE(Block, nullptr);
  EXPECT_EQ(Firmware.OutstandingBlocks().at(Block).Type, EfiLoaderData);
  for (int Index = 0; Index < 33; Index++) EXPECT_EQ(Block[Index], 0) << Index;
  PoolFree(Block);
}

TEST_F(PoolTest, FailedAllocationGivesNull) {
  Firmware.FailAllocation(1);
  EXPECT_EQ(PoolAllocate(8), nullptr);
  Firmware.FailAllocation(2);
  EXPECT_EQ(PoolAllocateZero(8), nullptr);
}

TEST_F(PoolTest, ReallocateCopiesTheSmallerSizeAndFreesTheOld) {
  // From null: a new block, nothing copied.
  UINT8 *Block = static_cast<UINT8 *>(PoolReallocate(nullptr, 0, 16));
  ASSERT_NE(Block, nullptr);
  EXPECT_EQ(SizeOf(Block), 16u);
  std::memcpy(Block, "abcdefgh", 8);

  // Shrinking keeps the first bytes.
  UINT8 *Smaller = static_cast<UINT8 *>(PoolReallocate(Block, 8, 4));
  ASSERT_NE(Smaller, nullptr);
  EXPECT_EQ(SizeOf(Smaller), 4u);
  EXPECT_EQ(std::memcmp(Smaller, "abcd", 4), 0);
  EXPECT_EQ(Firmware.OutstandingBlocks().size(), 1u);

  // A new size of 0 frees and yields null.
  EXPECT_EQ(PoolReallocate(Smaller, 4, 0), nullptr);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST_F(PoolTest, FailedReallocateStillFreesTheOldBlock) {
  void *Block = PoolAllocate(8);
  Firmware.FailAllocation(2);
  EXPECT_EQ(PoolReallocate(Block, 8, 64), nullptr);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST(AttachRuntime, FillsTheContextOnceAndKeepsTheDefaultTypeWithoutAnImage) {
  FakeFirmware Firmware;
  AttachRuntime(nullptr, &Firmware.SystemTable);
  EXPECT_TRUE(RuntimeContext.Initialised);
  EXPECT_EQ(RuntimeContext.SystemTable, &Firmware.SystemTable);
  EXPECT_EQ(RuntimeContext.BootServices, &Firmware.BootServices);
  EXPECT_EQ(RuntimeContext.RuntimeServices, &Firmware.RuntimeServices);
  EXPECT_EQ(RuntimeContext.PoolType, EfiBootServicesData);
  EXPECT_EQ(Firmware.Calls(Service::HandleProtocol), 0u);

  // A later call with another table changes nothing.
  EFI_SYSTEM_TABLE Other = Firmware.SystemTable;
  AttachRuntime(Firmware.ImageHandle, &Other);
  EXPECT_EQ(RuntimeContext.SystemTable, &Firmware.SystemTable);
  EXPECT_EQ(RuntimeContext.PoolType, EfiBootServicesData);
}

TEST(AttachRuntime, KeepsTheDefaultTypeWhenLoadedImageFails) {
  FakeFirmware Firmware;
  Firmware.FailCall(Service::HandleProtocol, 1, EFI_UNSUPPORTED);
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  EXPECT_EQ(RuntimeContext.PoolType, EfiBootServicesData);
}

}  // namespace
}  // namespace fake
