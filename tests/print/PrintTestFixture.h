// A fake firmware with the runtime attached, and a way to format into a
// buffer with any list of slots.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/Print.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

inline UINT64 Slot(const void *Pointer) { return reinterpret_cast<uintptr_t>(Pointer); }

inline PRINT_ARGS ArgsOf(const std::vector<UINT64> &Values) {
  return {Values.data(), Values.data() + Values.size()};
}

struct PrintTest : ::testing::Test {
  FakeFirmware Firmware;
  void SetUp() override { AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable); }

  // The text of PrintToBuffer with room to spare.
  std::u16string Format(const CHAR16 *Format, const std::vector<UINT64> &Values = {}) {
    std::vector<CHAR16> Buffer(4096, 0xAAAA);
    UINTN Length = PrintToBufferArgs(Buffer.data(), Buffer.size() * sizeof(CHAR16), Format, ArgsOf(Values));
    EXPECT_EQ(Buffer[Length], 0) << "not terminated after the returned length";
    return std::u16string(Buffer.data(), Length);
  }
};

}  // namespace fake
