// A UEFI Shell 2.x for host tests, as it looks to a driver: its own image
// handle carries the shell protocol and shell parameters, and each command
// image it starts gets a loaded image and shell parameters of its own, which
// it uninstalls again once the command has ended.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/LoadedImage.h"
#include "platform/ShellParameters.h"
#include "tests/fake/FakeDriverModel.h"

namespace fake {

struct FakeShellCommand {
  EFI_HANDLE Handle = nullptr;
  EFI_LOADED_IMAGE_PROTOCOL LoadedImage{};
  EFI_SHELL_PARAMETERS_PROTOCOL Parameters{};
  std::vector<std::u16string> Storage;
  std::vector<CHAR16 *> Pointers;
};

class FakeShell2 {
 public:
  explicit FakeShell2(FakeDriverModel &Model);

  EFI_HANDLE ShellHandle = nullptr;
  EFI_SHELL_PARAMETERS_PROTOCOL ShellParameters{};
  // Stand-ins for the shell's file handles; only their addresses matter.
  int StdIn = 0, StdOut = 0, StdErr = 0;

  // What the shell does before StartImage: a new image handle with its
  // loaded image, then the shell parameters (Argv[0] is the command name).
  FakeShellCommand &Load(const std::vector<std::u16string> &Argv);
  // What it does once StartImage has returned: the firmware takes the loaded
  // image off, then the shell uninstalls the shell parameters. The result
  // is that uninstall's status.
  EFI_STATUS Finish(FakeShellCommand &Command);
  // The shell puts its own shell parameters back, as it does around commands.
  EFI_STATUS ReinstallOwnParameters();

 private:
  FakeDriverModel &Model;
  std::vector<std::unique_ptr<FakeShellCommand>> Commands;
};

}  // namespace fake
