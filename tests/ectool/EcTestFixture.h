// A fake firmware with root bridges, and the runtime attached to it.
#pragma once

#include <gtest/gtest.h>

#include "ectool/EcHostInterface.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

struct EcTest : ::testing::Test {
  FakeFirmware Firmware;
  void SetUp() override { AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable); }
  void BindOneBridge() {
    Firmware.AddRootBridge();
    EC_BIND_FAILURE Failure = EcBindProtocolError;
    ASSERT_EQ(EcBindRootBridge(&Failure), EFI_SUCCESS);
    ASSERT_EQ(Failure, EcBindNoError);
  }
};

}  // namespace fake
