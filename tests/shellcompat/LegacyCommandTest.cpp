// Kelmtrax under a UEFI Shell 2.x: with the driver loaded it finds the
// legacy shell interface and environment; without it, it ends in
// AttachShell.
#include <gtest/gtest.h>

#include "ectool/EcToolMain.h"
#include "runtime/RuntimeContext.h"
#include "shellcompat/CompatEnvironment.h"
#include "tests/fake/ImageState.h"
#include "tests/shellcompat/DriverFixture.h"

namespace fake {
namespace {

// The tool is an image of its own: it starts with its state as loaded.
RunResult RunTool(DriverFixture &F, FakeShellCommand &Command) {
  ResetImageState(F.Firmware);
  return F.Firmware.Run([&] { return EcToolMain(Command.Handle, &F.Firmware.SystemTable); });
}

TEST(LegacyCommand, RunsUnderTheDriverAndLeavesNothing) {
  DriverFixture F;
  F.Firmware.AddRootBridge();
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  ShellCompat.EnvironmentFlags = 0x7;

  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi", u"C9E", u"D01"});
  RunResult Result = RunTool(F, Command);
  EXPECT_FALSE(Result.Exited);
  EXPECT_EQ(Result.Status, EFI_SUCCESS);
  ASSERT_NE(RuntimeContext.ShellInterface, nullptr);
  EXPECT_EQ(RuntimeContext.ShellInterface->Argc, 3u);
  EXPECT_EQ(std::u16string(RuntimeContext.ShellInterface->Argv[2]), u"D01");
  EXPECT_EQ(RuntimeContext.ShellEnvironment, &CompatEnvironment);
  EXPECT_EQ(ShellCompat.EnvironmentFlags, 0x5u);
  EXPECT_EQ(RuntimeContext.PoolType, EfiLoaderData);
  EXPECT_EQ(F.Firmware.ConOut.Text(), u"SendEcCommand(0x9E,0x1)\r\n");
  EXPECT_EQ(F.Firmware.Ec.CommandsWritten, std::vector<UINT8>{0x9E});
  EXPECT_EQ(F.Firmware.Ec.DataWritten, std::vector<UINT8>{0x01});

  EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);
  EXPECT_EQ(F.Model.ProtocolCount(Command.Handle), 0u);
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

TEST(LegacyCommand, WithoutTheDriverEndsInAttachShell) {
  DriverFixture F;
  F.Firmware.AddRootBridge();
  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi", u"C9E", u"D01"});
  RunResult Result = RunTool(F, Command);
  EXPECT_TRUE(Result.Exited);
  EXPECT_EQ(Result.Status, EFI_UNSUPPORTED);
  EXPECT_TRUE(F.Firmware.ConOut.Events.empty());
  EXPECT_TRUE(F.Firmware.Ec.Log.empty());
  EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);
}

}  // namespace
}  // namespace fake
