// Binding to the last PCI Root Bridge I/O instance, and every way it stops.
#include <functional>

#include "tests/ectool/EcTestFixture.h"

namespace fake {
namespace {

struct BindCase {
  const char *Name;
  int Bridges;
  std::function<void(FakeFirmware &)> Script;
  EC_BIND_FAILURE WantFailure;
  EFI_STATUS WantStatus;
  int WantBound;          // index of the bridge left bound, -1 for none checked
  int WantConfigured;     // bridges whose Configuration was called, in order from the first
  unsigned WantLocates;   // LocateHandle calls
};

void ConfigurationOf(FakeFirmware &Firmware, int Index, EFI_STATUS Status) {
  Firmware.Bridges[Index]->ConfigurationStatus = Status;
}

EFI_STATUS LocateAnswer(UINTN Size, EFI_STATUS Status, UINTN *BufferSize) {
  *BufferSize = Size;
  return Status;
}

const BindCase BindCases[] = {
    {"one bridge fits the first buffer", 1, nullptr, EcBindNoError, EFI_SUCCESS, 0, 1, 1},
    {"three bridges: one growth, last bound", 3, nullptr, EcBindNoError, EFI_SUCCESS, 2, 3, 2},
    {"last Configuration unsupported counts as success", 2,
     [](FakeFirmware &F) { ConfigurationOf(F, 1, EFI_UNSUPPORTED); }, EcBindNoError, EFI_SUCCESS, 1, 2, 2},
    {"a warning from the last Configuration is the result", 2,
     [](FakeFirmware &F) { ConfigurationOf(F, 1, EFI_WARN_WRITE_FAILURE); }, EcBindNoError, EFI_WARN_WRITE_FAILURE,
     1, 2, 2},
    {"an earlier warning is replaced by the last step", 2,
     [](FakeFirmware &F) { ConfigurationOf(F, 0, EFI_WARN_WRITE_FAILURE); }, EcBindNoError, EFI_SUCCESS, 1, 2, 2},
    {"Configuration error stops at that bridge", 3,
     [](FakeFirmware &F) { ConfigurationOf(F, 1, EFI_DEVICE_ERROR); }, EcBindProtocolError, EFI_DEVICE_ERROR, -1, 2,
     2},
    {"HandleProtocol error stops before Configuration", 3,
     [](FakeFirmware &F) {
       // Call 1 was the Loaded Image lookup at attach time.
       F.FailCall(Service::HandleProtocol, 3, EFI_ACCESS_DENIED);
     },
     EcBindProtocolError, EFI_ACCESS_DENIED, -1, 1, 2},
    {"no root bridge", 0, nullptr, EcBindLocateError, EFI_NOT_FOUND, -1, 0, 1},
    {"LocateHandle error on the first call", 1,
     [](FakeFirmware &F) { F.FailCall(Service::LocateHandle, 1, EFI_DEVICE_ERROR); }, EcBindLocateError,
     EFI_DEVICE_ERROR, -1, 0, 1},
    {"LocateHandle error on the second call", 2,
     [](FakeFirmware &F) { F.FailCall(Service::LocateHandle, 2, EFI_DEVICE_ERROR); }, EcBindLocateError,
     EFI_DEVICE_ERROR, -1, 0, 2},
    {"buffer too small twice", 2,
     [](FakeFirmware &F) {
       F.LocateHandleHook = [](EFI_LOCATE_SEARCH_TYPE, const EFI_GUID *, VOID *, UINTN *Size, EFI_HANDLE *) {
         return LocateAnswer(*Size + 8, EFI_BUFFER_TOO_SMALL, Size);
       };
     },
     EcBindLocateError, EFI_BUFFER_TOO_SMALL, -1, 0, 0},
    {"success with an empty list", 1,
     [](FakeFirmware &F) {
       F.LocateHandleHook = [](EFI_LOCATE_SEARCH_TYPE, const EFI_GUID *, VOID *, UINTN *Size, EFI_HANDLE *) {
         return LocateAnswer(0, EFI_SUCCESS, Size);
       };
     },
     EcBindLocateError, EFI_NOT_FOUND, -1, 0, 0},
    {"no memory for the first buffer", 1, [](FakeFirmware &F) { F.FailAllocation(1); }, EcBindOutOfResources,
     EFI_OUT_OF_RESOURCES, -1, 0, 0},
    {"no memory to grow the buffer", 2, [](FakeFirmware &F) { F.FailAllocation(2); }, EcBindOutOfResources,
     EFI_OUT_OF_RESOURCES, -1, 0, 1},
};

TEST_F(EcTest, BindRootBridgeFollowsEveryPath) {
  for (const BindCase &C : BindCases) {
    SCOPED_TRACE(C.Name);
    FakeFirmware Firmware;
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    for (int Index = 0; Index < C.Bridges; Index++) Firmware.AddRootBridge();
    if (C.Script) C.Script(Firmware);
    unsigned AllocationsBefore = Firmware.Calls(Service::AllocatePool);

    EC_BIND_FAILURE Failure = EcBindNoError;
    EFI_STATUS Status = EcBindRootBridge(&Failure);

    EXPECT_EQ(Failure, C.WantFailure);
    EXPECT_EQ(Status, C.WantStatus);
    if (C.WantBound >= 0) EXPECT_EQ(EcRootBridge, &Firmware.Bridges[C.WantBound]->Protocol);
    for (int Index = 0; Index < C.Bridges; Index++) {
      EXPECT_EQ(Firmware.Bridges[Index]->ConfigurationCalls, Index < C.WantConfigured ? 1u : 0u) << Index;
    }
    if (!Firmware.LocateHandleHook) EXPECT_EQ(Firmware.Calls(Service::LocateHandle), C.WantLocates);
    // Never more than the first buffer and one growth.
    EXPECT_LE(Firmware.Calls(Service::AllocatePool) - AllocationsBefore, 2u);
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

TEST_F(EcTest, BindGrowsTheBufferOnceToTheReportedSize) {
  for (int Index = 0; Index < 3; Index++) Firmware.AddRootBridge();
  std::vector<UINTN> SizesOffered;
  Firmware.LocateHandleHook = [&](EFI_LOCATE_SEARCH_TYPE, const EFI_GUID *, VOID *, UINTN *Size,
                                  EFI_HANDLE *Buffer) -> EFI_STATUS {
    SizesOffered.push_back(*Size);
    if (*Size < 24) {
      *Size = 24;
      return EFI_BUFFER_TOO_SMALL;
    }
    for (int Index = 0; Index < 3; Index++) Buffer[Index] = Firmware.Bridges[Index]->Handle;
    return EFI_SUCCESS;
  };
  EC_BIND_FAILURE Failure;
  EXPECT_EQ(EcBindRootBridge(&Failure), EFI_SUCCESS);
  EXPECT_EQ(SizesOffered, (std::vector<UINTN>{8, 24}));
  EXPECT_EQ(EcRootBridge, &Firmware.Bridges[2]->Protocol);
}

}  // namespace
}  // namespace fake
