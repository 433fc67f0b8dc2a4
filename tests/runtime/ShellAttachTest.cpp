// Attaching to the shell: the paths that go on, and every path that ends the
// image through Exit.
#include <gtest/gtest.h>

#include "runtime/RuntimeContext.h"
#include "runtime/ShellAttach.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/fake/FakeShell.h"

namespace fake {
namespace {

RunResult Attach(FakeFirmware &Firmware) {
  return Firmware.Run([&] { return AttachShell(Firmware.ImageHandle, &Firmware.SystemTable); });
}

void ExpectExitedWith(const FakeFirmware &Firmware, const RunResult &Result, EFI_STATUS Status) {
  EXPECT_TRUE(Result.Exited);
  ASSERT_EQ(Firmware.Exits.size(), 1u);
  EXPECT_EQ(Firmware.Exits[0].ImageHandle, Firmware.ImageHandle);
  EXPECT_EQ(Firmware.Exits[0].Status, Status);
  EXPECT_EQ(Firmware.Exits[0].ExitDataSize, 0u);
  EXPECT_EQ(Firmware.Exits[0].ExitData, nullptr);
}

TEST(AttachShell, AcceptsTheEnvironmentOnTheImageAndAdjustsIt) {
  FakeFirmware Firmware;
  FakeShell Shell(Firmware, {u"CB0"});
  Shell.Environment.Flags = 0xFFFFFFFF;
  RunResult Result = Attach(Firmware);
  EXPECT_FALSE(Result.Exited);
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(RuntimeContext.ShellInterface, &Shell.Interface);
  EXPECT_EQ(RuntimeContext.ShellEnvironment, &Shell.Environment.Protocol);
  EXPECT_EQ(RuntimeContext.PoolType, EfiLoaderData);
  EXPECT_EQ(Shell.Environment.StartupCalls, 1u);
  EXPECT_EQ(Shell.Environment.FlagsWritten, std::vector<UINT32>{0xFFFFFFFD});
  EXPECT_EQ(Firmware.Calls(Service::LocateHandle), 0u);
}

TEST(AttachShell, PassesOverAVersionZeroEnvironmentForALaterHandle) {
  FakeFirmware Firmware;
  FakeShell Shell(Firmware, {});
  Shell.Environment.Protocol.MajorVersion = 0;
  // A good environment whose lookup fails, one with a wrong signature, then
  // two good ones.
  FakeShellEnvironment Unreachable(1);
  EFI_HANDLE Failing = Firmware.NewHandle();
  Firmware.Install(Failing, ShellEnvironmentProtocolGuid, &Unreachable.Protocol);
  FakeShellEnvironment WrongSignature(3);
  WrongSignature.Protocol.Signature.Data4[7] ^= 1;
  EFI_HANDLE Wrong = Firmware.NewHandle();
  Firmware.Install(Wrong, ShellEnvironmentProtocolGuid, &WrongSignature.Protocol);
  FakeShellEnvironment Later(2);
  Later.Flags = 0x2;
  EFI_HANDLE Good = Firmware.NewHandle();
  Firmware.Install(Good, ShellEnvironmentProtocolGuid, &Later.Protocol);
  EFI_HANDLE AlsoGood = Firmware.NewHandle();
  Firmware.Install(AlsoGood, ShellEnvironmentProtocolGuid, &Shell.Environment.Protocol);
  // HandleProtocol calls: Loaded Image, interface, environment on the image,
  // then one per handle in order (the image's again, then Failing's).
  Firmware.FailCall(Service::HandleProtocol, 5, EFI_ACCESS_DENIED);

  RunResult Result = Attach(Firmware);
  EXPECT_FALSE(Result.Exited);
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  EXPECT_EQ(RuntimeContext.ShellEnvironment, &Later.Protocol);
  EXPECT_EQ(Later.StartupCalls, 1u);
  EXPECT_EQ(Later.Flags, 0u);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST(AttachShell, EndsThroughExitWhenTheShellIsMissing) {
  struct Case {
    const char *Name;
    bool Interface;
    int Environments;  // -1: one on another handle with version 0
    unsigned FailAllocation;
    EFI_STATUS Want;
  };
  const Case Cases[] = {
      {"no shell interface", false, 1, 0, EFI_UNSUPPORTED},
      {"no environment anywhere", true, 0, 0, EFI_NOT_FOUND},
      {"only a version-0 environment", true, -1, 0, EFI_NOT_FOUND},
      {"no memory for the handle list", true, -1, 1, EFI_OUT_OF_RESOURCES},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    FakeFirmware Firmware;
    EFI_SHELL_INTERFACE Interface{};
    if (C.Interface) Firmware.Install(Firmware.ImageHandle, ShellInterfaceProtocolGuid, &Interface);
    FakeShellEnvironment Environment(C.Environments < 0 ? 0 : 1);
    if (C.Environments != 0) {
      EFI_HANDLE Other = Firmware.NewHandle();
      Firmware.Install(Other, ShellEnvironmentProtocolGuid, &Environment.Protocol);
      if (C.Environments > 0) Firmware.Install(Firmware.ImageHandle, ShellEnvironmentProtocolGuid, &Environment.Protocol);
    }
    if (C.FailAllocation != 0) Firmware.FailAllocation(C.FailAllocation);
    RunResult Result = Attach(Firmware);
    ExpectExitedWith(Firmware, Result, C.Want);
    EXPECT_EQ(Environment.StartupCalls, 0u);
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

}  // namespace
}  // namespace fake
