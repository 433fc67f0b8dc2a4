// The legacy shell interface on command images: built from the shell
// parameters when the shell installs them, gone with everything it held once
// the shell uninstalls them.
#include <gtest/gtest.h>

#include "platform/LoadedImage.h"
#include "platform/ShellParameters.h"
#include "tests/shellcompat/DriverFixture.h"

namespace fake {
namespace {

TEST(CommandInterface, LivesExactlyAsLongAsTheCommand) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  size_t BlocksBefore = F.Firmware.OutstandingBlocks().size();

  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi", u"C9E", u"D01"});
  EFI_SHELL_INTERFACE *Interface = F.InterfaceOn(Command.Handle);
  ASSERT_NE(Interface, nullptr);
  EXPECT_EQ(Interface->ImageHandle, Command.Handle);
  EXPECT_EQ(Interface->Info, &Command.LoadedImage);
  EXPECT_EQ(Interface->Argv, Command.Parameters.Argv);
  EXPECT_EQ(Interface->Argc, 3u);
  EXPECT_EQ(Interface->StdIn, &F.Shell.StdIn);
  EXPECT_EQ(Interface->StdOut, &F.Shell.StdOut);
  EXPECT_EQ(Interface->StdErr, &F.Shell.StdErr);
  EXPECT_EQ(Interface->RedirArgv, nullptr);
  EXPECT_EQ(Interface->RedirArgc, 0u);
  EXPECT_EQ(Interface->ArgInfo, nullptr);
  EXPECT_EQ(F.Firmware.OutstandingBlocks().size(), BlocksBefore + 1);
  ASSERT_EQ(F.Model.Opens.size(), 1u);
  EXPECT_EQ(F.Model.Opens[0].Agent, F.DriverHandle);

  EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);
  EXPECT_EQ(F.Model.StopCalls, 1u);
  EXPECT_EQ(F.Model.ProtocolCount(Command.Handle), 0u) << "the handle would outlive the command";
  EXPECT_TRUE(F.Model.Opens.empty());
  EXPECT_EQ(F.Firmware.OutstandingBlocks().size(), BlocksBefore);
  EXPECT_EQ(ShellCompat.Commands, nullptr);
}

TEST(CommandInterface, CommandsThatOverlapEndInAnyOrder) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  FakeShellCommand &First = F.Shell.Load({u"a.efi"});
  FakeShellCommand &Second = F.Shell.Load({u"b.efi", u"x"});
  FakeShellCommand &Third = F.Shell.Load({u"c.efi", u"y", u"z"});
  EXPECT_EQ(F.InterfaceOn(Second.Handle)->Argc, 2u);

  EXPECT_EQ(F.Shell.Finish(Second), EFI_SUCCESS);
  EXPECT_EQ(F.InterfaceOn(Second.Handle), nullptr);
  EXPECT_EQ(F.InterfaceOn(First.Handle)->Argc, 1u);
  EXPECT_EQ(F.InterfaceOn(Third.Handle)->Argc, 3u);
  EXPECT_EQ(F.Shell.Finish(First), EFI_SUCCESS);
  EXPECT_EQ(F.Shell.Finish(Third), EFI_SUCCESS);
  EXPECT_EQ(F.Model.StopCalls, 3u);
  EXPECT_TRUE(F.Model.Opens.empty());
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

TEST(CommandInterface, LeavesTheShellsOwnImageAlone) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  EXPECT_EQ(F.Shell.ReinstallOwnParameters(), EFI_SUCCESS);
  EXPECT_EQ(F.InterfaceOn(F.Shell.ShellHandle), nullptr);
  EXPECT_TRUE(F.Model.Opens.empty());
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

TEST(CommandInterface, AnImageStartedByALegacyShellKeepsItsInterface) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  // A legacy shell installs its interface before anything else.
  EFI_SHELL_INTERFACE Legacy{};
  EFI_HANDLE Image = F.Firmware.NewHandle();
  F.Firmware.Install(Image, ShellInterfaceProtocolGuid, &Legacy);
  EFI_SHELL_PARAMETERS_PROTOCOL Parameters{};
  ASSERT_EQ(F.Firmware.BootServices.InstallProtocolInterface(&Image, &EfiShellParametersProtocolGuid,
                                                             EFI_NATIVE_INTERFACE, &Parameters),
            EFI_SUCCESS);
  EXPECT_EQ(F.InterfaceOn(Image), &Legacy);
  EXPECT_TRUE(F.Model.Opens.empty());
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

// A command the driver cannot attach runs as it would without the driver,
// and nothing of the attempt stays behind.
TEST(CommandInterface, AFailedAttachLeavesNothing) {
  struct Case {
    const char *Name;
    Service FirmwareCall;  // counted from the first command's start
    DriverService ModelCall;
    bool UseModel;
  };
  const Case Cases[] = {
      {"no memory for the record", Service::AllocatePool, {}, false},
      {"the shell parameters cannot be opened", Service::OpenProtocol, {}, false},
      // Installs: the command's loaded image, its shell parameters, then ours.
      {"the interface cannot be installed", {}, DriverService::InstallProtocolInterface, true},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    DriverFixture F;
    ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
    if (C.UseModel) {
      F.Model.FailCall(C.ModelCall, F.Model.Calls(C.ModelCall) + 3, EFI_OUT_OF_RESOURCES);
    } else {
      F.Firmware.FailCall(C.FirmwareCall, F.Firmware.Calls(C.FirmwareCall) + 1, EFI_OUT_OF_RESOURCES);
    }
    FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi", u"CB0"});
    EXPECT_EQ(F.InterfaceOn(Command.Handle), nullptr);
    EXPECT_TRUE(F.Model.Opens.empty());
    EXPECT_TRUE(F.Firmware.PoolBalanced());
    EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);
    EXPECT_EQ(F.Model.StopCalls, 0u);

    // The next command is attached as usual.
    FakeShellCommand &Next = F.Shell.Load({u"Kelmtrax.efi"});
    EXPECT_NE(F.InterfaceOn(Next.Handle), nullptr);
    EXPECT_EQ(F.Shell.Finish(Next), EFI_SUCCESS);
    EXPECT_TRUE(F.Firmware.PoolBalanced());
  }
}

// While someone else holds our interface BY_DRIVER it must stay valid: the
// shell's uninstall is refused rather than the record freed under it.
TEST(CommandInterface, StaysWhileSomeoneStillHoldsIt) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi"});
  EFI_HANDLE Holder = F.Firmware.NewHandle();  // an agent without a driver binding
  VOID *Interface = nullptr;
  ASSERT_EQ(F.Firmware.BootServices.OpenProtocol(Command.Handle, &ShellInterfaceProtocolGuid, &Interface, Holder,
                                                 Command.Handle, EFI_OPEN_PROTOCOL_BY_DRIVER),
            EFI_SUCCESS);
  EXPECT_EQ(F.Shell.Finish(Command), EFI_ACCESS_DENIED);
  EXPECT_EQ(F.InterfaceOn(Command.Handle), Interface);
  EXPECT_NE(ShellCompat.Commands, nullptr);

  ASSERT_EQ(F.Firmware.BootServices.CloseProtocol(Command.Handle, &ShellInterfaceProtocolGuid, Holder,
                                                  Command.Handle),
            EFI_SUCCESS);
  EXPECT_EQ(F.Firmware.BootServices.UninstallProtocolInterface(Command.Handle, &EfiShellParametersProtocolGuid,
                                                               &Command.Parameters),
            EFI_SUCCESS);
  EXPECT_EQ(F.Model.ProtocolCount(Command.Handle), 0u);
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

}  // namespace
}  // namespace fake
