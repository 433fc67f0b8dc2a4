// The fake firmware's own guarantees that other tests lean on.
#include <gtest/gtest.h>

#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {
namespace {

TEST(FakeFirmwareLedger, SeesALeakedBlockAndBadFrees) {
  FakeFirmware Firmware;
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  void *Leaked = PoolAllocate(24);
  ASSERT_NE(Leaked, nullptr);
  EXPECT_FALSE(Firmware.PoolBalanced());
  ASSERT_EQ(Firmware.OutstandingBlocks().size(), 1u);
  EXPECT_EQ(Firmware.OutstandingBlocks().begin()->second.Size, 24u);

  EXPECT_EQ(PoolFree(Leaked), EFI_SUCCESS);
  EXPECT_EQ(PoolFree(Leaked), EFI_INVALID_PARAMETER);  // double free
  int NotPool = 0;
  EXPECT_EQ(PoolFree(&NotPool), EFI_INVALID_PARAMETER);  // foreign free
  EXPECT_EQ(Firmware.PoolErrors.size(), 2u);
  Firmware.PoolErrors.clear();
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST(FakeFirmwareExit, DoesNotReturnToTheCaller) {
  FakeFirmware Firmware;
  bool ReachedAfterExit = false;
  RunResult Result = Firmware.Run([&]() -> EFI_STATUS {
    Firmware.BootServices.Exit(Firmware.ImageHandle, EFI_ABORTED, 0, nullptr);
    ReachedAfterExit = true;
    return EFI_SUCCESS;
  });
  EXPECT_TRUE(Result.Exited);
  EXPECT_EQ(Result.Status, EFI_ABORTED);
  EXPECT_FALSE(ReachedAfterExit);
}

}  // namespace
}  // namespace fake
