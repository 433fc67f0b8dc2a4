// Loading and unloading the shell compatibility driver: what it installs,
// what a failed step takes back, and when it may go.
#include <gtest/gtest.h>

#include "platform/DriverBinding.h"
#include "platform/LoadedImage.h"
#include "platform/ShellEnvironment.h"
#include "platform/ShellParameters.h"
#include "tests/shellcompat/DriverFixture.h"

namespace fake {
namespace {

TEST(ShellCompatDriver, LoadInstallsTheEnvironmentAndWatchesForCommands) {
  DriverFixture F;
  EXPECT_EQ(F.LoadDriver(), EFI_SUCCESS);
  auto *Environment =
      static_cast<SHELL_ENVIRONMENT *>(F.Firmware.Find(F.DriverHandle, ShellEnvironmentProtocolGuid));
  ASSERT_NE(Environment, nullptr);
  EXPECT_TRUE(Environment->Signature == ShellEnvironmentSignatureGuid);
  EXPECT_GE(Environment->MajorVersion, 1u);
  auto *Binding =
      static_cast<EFI_DRIVER_BINDING_PROTOCOL *>(F.Firmware.Find(F.DriverHandle, EfiDriverBindingProtocolGuid));
  ASSERT_NE(Binding, nullptr);
  EXPECT_EQ(Binding->ImageHandle, F.DriverHandle);
  EXPECT_EQ(Binding->DriverBindingHandle, F.DriverHandle);
  // ConnectController must never start the driver on a device.
  EXPECT_EQ(Binding->Supported(Binding, F.Shell.ShellHandle, nullptr), EFI_UNSUPPORTED);
  EXPECT_EQ(Binding->Start(Binding, F.Shell.ShellHandle, nullptr), EFI_UNSUPPORTED);

  ASSERT_EQ(F.Model.Registrations.size(), 1u);
  EXPECT_TRUE(F.Model.Registrations[0]->Protocol == EfiShellParametersProtocolGuid);
  EXPECT_EQ(F.Model.Registrations[0]->Event->Type, EVT_NOTIFY_SIGNAL);
  EXPECT_EQ(F.Model.Registrations[0]->Event->NotifyTpl, TPL_CALLBACK);
  EXPECT_EQ(F.Firmware.LoadedImage.Unload, UnloadShellCompat);
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

// Each step that can fail: the load fails with its status and nothing the
// driver installed or created stays.
TEST(ShellCompatDriver, AFailedLoadTakesEverythingBack) {
  struct Case {
    const char *Name;
    DriverService Call;
    unsigned Nth;
  };
  const Case Cases[] = {
      {"environment", DriverService::InstallProtocolInterface, 1},
      {"driver binding", DriverService::InstallProtocolInterface, 2},
      {"event", DriverService::CreateEvent, 1},
      {"notify registration", DriverService::RegisterProtocolNotify, 1},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    DriverFixture F;
    size_t ProtocolsBefore = F.Model.ProtocolCount(F.DriverHandle);
    F.Model.FailCall(C.Call, C.Nth, EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(F.LoadDriver(), EFI_OUT_OF_RESOURCES);
    EXPECT_EQ(F.Model.ProtocolCount(F.DriverHandle), ProtocolsBefore);
    EXPECT_EQ(F.Model.OpenEventCount(), 0u);
    EXPECT_TRUE(F.Model.Registrations.empty());
    EXPECT_EQ(F.Firmware.LoadedImage.Unload, nullptr);
    EXPECT_TRUE(F.Firmware.PoolBalanced());
  }
}

TEST(ShellCompatDriver, UnloadWaitsForRunningCommandsThenRemovesEverything) {
  DriverFixture F;
  size_t ProtocolsBefore = F.Model.ProtocolCount(F.DriverHandle);
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi"});
  EXPECT_EQ(UnloadShellCompat(F.DriverHandle), EFI_ACCESS_DENIED);
  EXPECT_NE(F.InterfaceOn(Command.Handle), nullptr);
  EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);

  EXPECT_EQ(UnloadShellCompat(F.DriverHandle), EFI_SUCCESS);
  EXPECT_EQ(F.Model.ProtocolCount(F.DriverHandle), ProtocolsBefore);
  EXPECT_EQ(F.Model.OpenEventCount(), 0u);
  EXPECT_TRUE(F.Model.Registrations.empty());
  // Commands after the unload are not touched.
  FakeShellCommand &Later = F.Shell.Load({u"Kelmtrax.efi"});
  EXPECT_EQ(F.InterfaceOn(Later.Handle), nullptr);
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

TEST(ShellCompatDriver, AFailedUnloadKeepsTheDriverWhole) {
  DriverFixture F;
  ASSERT_EQ(F.LoadDriver(), EFI_SUCCESS);
  size_t Protocols = F.Model.ProtocolCount(F.DriverHandle);
  // Uninstalls: the environment, then the binding.
  F.Model.FailCall(DriverService::UninstallProtocolInterface, 2, EFI_ACCESS_DENIED);
  EXPECT_EQ(UnloadShellCompat(F.DriverHandle), EFI_ACCESS_DENIED);
  EXPECT_EQ(F.Model.ProtocolCount(F.DriverHandle), Protocols);
  EXPECT_NE(F.Firmware.Find(F.DriverHandle, ShellEnvironmentProtocolGuid), nullptr);
  FakeShellCommand &Command = F.Shell.Load({u"Kelmtrax.efi"});
  EXPECT_NE(F.InterfaceOn(Command.Handle), nullptr);
  EXPECT_EQ(F.Shell.Finish(Command), EFI_SUCCESS);
  EXPECT_TRUE(F.Firmware.PoolBalanced());
}

}  // namespace
}  // namespace fake
