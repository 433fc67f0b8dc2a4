#include "tests/fake/FakeShell2.h"

#include <gtest/gtest.h>

#include "platform/ShellProtocol.h"

namespace fake {

namespace {
int ShellProtocolStandIn = 0;
}

FakeShell2::FakeShell2(FakeDriverModel &Owner) : Model(Owner) {
  ShellHandle = Model.Firmware.NewHandle();
  Model.Firmware.Install(ShellHandle, EfiShellProtocolGuid, &ShellProtocolStandIn);
  Model.Firmware.Install(ShellHandle, EfiShellParametersProtocolGuid, &ShellParameters);
}

FakeShellCommand &FakeShell2::Load(const std::vector<std::u16string> &Argv) {
  Commands.push_back(std::make_unique<FakeShellCommand>());
  FakeShellCommand &Command = *Commands.back();
  Command.Storage = Argv;
  for (std::u16string &Argument : Command.Storage) {
    Command.Pointers.push_back(Argument.data());
  }
  Command.Pointers.push_back(nullptr);
  Command.Parameters.Argv = Command.Pointers.data();
  Command.Parameters.Argc = Argv.size();
  Command.Parameters.StdIn = &StdIn;
  Command.Parameters.StdOut = &StdOut;
  Command.Parameters.StdErr = &StdErr;
  Command.LoadedImage.ImageDataType = EfiLoaderData;

  EFI_BOOT_SERVICES &Boot = Model.Firmware.BootServices;
  EFI_STATUS Status = Boot.InstallProtocolInterface(&Command.Handle, &EfiLoadedImageProtocolGuid,
                                                    EFI_NATIVE_INTERFACE, &Command.LoadedImage);
  EXPECT_EQ(Status, EFI_SUCCESS);
  Status = Boot.InstallProtocolInterface(&Command.Handle, &EfiShellParametersProtocolGuid, EFI_NATIVE_INTERFACE,
                                         &Command.Parameters);
  EXPECT_EQ(Status, EFI_SUCCESS);
  return Command;
}

EFI_STATUS FakeShell2::Finish(FakeShellCommand &Command) {
  EFI_BOOT_SERVICES &Boot = Model.Firmware.BootServices;
  EXPECT_EQ(Boot.UninstallProtocolInterface(Command.Handle, &EfiLoadedImageProtocolGuid, &Command.LoadedImage),
            EFI_SUCCESS);
  return Boot.UninstallProtocolInterface(Command.Handle, &EfiShellParametersProtocolGuid, &Command.Parameters);
}

EFI_STATUS FakeShell2::ReinstallOwnParameters() {
  EFI_BOOT_SERVICES &Boot = Model.Firmware.BootServices;
  EFI_STATUS Status = Boot.UninstallProtocolInterface(ShellHandle, &EfiShellParametersProtocolGuid, &ShellParameters);
  if (IsError(Status)) {
    return Status;
  }
  return Boot.InstallProtocolInterface(&ShellHandle, &EfiShellParametersProtocolGuid, EFI_NATIVE_INTERFACE,
                                       &ShellParameters);
}

}  // namespace fake
