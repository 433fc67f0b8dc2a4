// The grow-and-retry loop and handle lookup by protocol.
#include <gtest/gtest.h>

#include "runtime/FirmwareCalls.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {
namespace {

constexpr EFI_GUID TestProtocol = {0x0BADF00D, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

struct FirmwareCallsTest : ::testing::Test {
  FakeFirmware Firmware;
  void SetUp() override { AttachRuntime(nullptr, &Firmware.SystemTable); }
  std::vector<EFI_HANDLE> AddHandles(int Count, void *Interface) {
    std::vector<EFI_HANDLE> Added;
    for (int Index = 0; Index < Count; Index++) {
      Added.push_back(Firmware.NewHandle());
      Firmware.Install(Added.back(), TestProtocol, Interface);
    }
    return Added;
  }
};

TEST_F(FirmwareCallsTest, GrowBufferRetryStartsGrowsAndStops) {
  EFI_STATUS Status = EFI_SUCCESS;
  VOID *Block = nullptr;
  // First pass: whatever the status held, a block of the guessed size.
  ASSERT_TRUE(GrowBufferRetry(&Status, &Block, 16));
  EXPECT_EQ(Firmware.OutstandingBlocks().at(Block).Size, 16u);
  // Too small: the block is replaced by one of the reported size.
  Status = EFI_BUFFER_TOO_SMALL;
  ASSERT_TRUE(GrowBufferRetry(&Status, &Block, 40));
  EXPECT_EQ(Firmware.OutstandingBlocks().size(), 1u);
  EXPECT_EQ(Firmware.OutstandingBlocks().at(Block).Size, 40u);
  // A warning ends the loop and keeps the block.
  Status = EFI_WARN_WRITE_FAILURE;
  EXPECT_FALSE(GrowBufferRetry(&Status, &Block, 40));
  EXPECT_NE(Block, nullptr);
  EXPECT_EQ(Status, EFI_WARN_WRITE_FAILURE);
  // An error ends it and frees the block.
  Status = EFI_DEVICE_ERROR;
  EXPECT_FALSE(GrowBufferRetry(&Status, &Block, 40));
  EXPECT_EQ(Block, nullptr);
  EXPECT_EQ(Status, EFI_DEVICE_ERROR);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST_F(FirmwareCallsTest, GrowBufferRetryTurnsAFailedGrowthIntoOutOfResources) {
  EFI_STATUS Status = EFI_SUCCESS;
  VOID *Block = nullptr;
  ASSERT_TRUE(GrowBufferRetry(&Status, &Block, 16));
  Status = EFI_BUFFER_TOO_SMALL;
  Firmware.FailAllocation(2);
  EXPECT_FALSE(GrowBufferRetry(&Status, &Block, 64));
  EXPECT_EQ(Status, EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(Block, nullptr);
}

TEST_F(FirmwareCallsTest, LocateHandlesGrowsFromFiftyHandles) {
  std::vector<EFI_HANDLE> Added = AddHandles(60, &Firmware);
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  EXPECT_EQ(LocateHandlesByProtocol(ByProtocol, &TestProtocol, nullptr, &Count, &Handles), EFI_SUCCESS);
  ASSERT_EQ(Count, 60u);
  EXPECT_EQ(std::vector<EFI_HANDLE>(Handles, Handles + Count), Added);
  EXPECT_EQ(Firmware.Calls(Service::LocateHandle), 2u);
  EXPECT_EQ(Firmware.OutstandingBlocks().at(Handles).Size, 480u);
  // The first guess was 400 bytes.
  EXPECT_EQ(Firmware.AllocationCount, 2u);
  PoolFree(Handles);
}

TEST_F(FirmwareCallsTest, LocateHandlesOnErrorGivesNullAndNoCount) {
  UINTN Count = 7;
  EFI_HANDLE *Handles = reinterpret_cast<EFI_HANDLE *>(&Count);
  EXPECT_EQ(LocateHandlesByProtocol(ByProtocol, &TestProtocol, nullptr, &Count, &Handles), EFI_NOT_FOUND);
  EXPECT_EQ(Count, 0u);
  EXPECT_EQ(Handles, nullptr);

  AddHandles(1, &Firmware);
  Firmware.FailAllocation(Firmware.Calls(Service::AllocatePool) + 1);
  EXPECT_EQ(LocateHandlesByProtocol(ByProtocol, &TestProtocol, nullptr, &Count, &Handles), EFI_OUT_OF_RESOURCES);
  EXPECT_EQ(Count, 0u);
  EXPECT_EQ(Handles, nullptr);
}

TEST_F(FirmwareCallsTest, LocateFirstProtocolTakesTheFirstHandleThatAnswers) {
  int First = 1, Second = 2;
  AddHandles(1, &First);
  AddHandles(1, &Second);
  VOID *Interface = nullptr;
  EXPECT_EQ(LocateFirstProtocol(&TestProtocol, &Interface), EFI_SUCCESS);
  EXPECT_EQ(Interface, &First);

  // The first handle fails: the second one answers.
  Firmware.FailCall(Service::HandleProtocol, Firmware.Calls(Service::HandleProtocol) + 1, EFI_ACCESS_DENIED);
  EXPECT_EQ(LocateFirstProtocol(&TestProtocol, &Interface), EFI_SUCCESS);
  EXPECT_EQ(Interface, &Second);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST_F(FirmwareCallsTest, LocateFirstProtocolWithoutAnAnswerGivesTheLastStatus) {
  AddHandles(2, &Firmware);
  unsigned Next = Firmware.Calls(Service::HandleProtocol) + 1;
  Firmware.FailCall(Service::HandleProtocol, Next, EFI_ACCESS_DENIED);
  Firmware.FailCall(Service::HandleProtocol, Next + 1, EFI_DEVICE_ERROR);
  VOID *Interface = &Firmware;
  EXPECT_EQ(LocateFirstProtocol(&TestProtocol, &Interface), EFI_DEVICE_ERROR);
  EXPECT_EQ(Interface, nullptr);
  EXPECT_TRUE(Firmware.PoolBalanced());

  EXPECT_EQ(LocateFirstProtocol(&EfiLoadedImageProtocolGuid, &Interface), EFI_SUCCESS);
  Interface = &Firmware;
  const EFI_GUID Nobody = {1, 2, 3, {4}};
  EXPECT_EQ(LocateFirstProtocol(&Nobody, &Interface), EFI_NOT_FOUND);
  EXPECT_EQ(Interface, nullptr);
}

}  // namespace
}  // namespace fake
