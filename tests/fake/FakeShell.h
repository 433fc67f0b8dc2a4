// A legacy shell for host tests: the shell interface on the image handle
// with the given arguments, and a shell environment that records its calls.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ShellEnvironment.h"
#include "platform/ShellInterface.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

struct FakeShellEnvironment {
  SHELL_ENVIRONMENT Protocol{};
  unsigned StartupCalls = 0;
  UINT32 Flags = 0;
  std::vector<UINT32> FlagsWritten;
  // Names that GetProtocolName answers with; null for the rest.
  std::map<std::string, std::u16string> Names;
  unsigned NameLookups = 0;

  // An environment with the accepted signature and the given major version.
  explicit FakeShellEnvironment(UINT32 MajorVersion = 1);
  FakeShellEnvironment(const FakeShellEnvironment &) = delete;
  ~FakeShellEnvironment();
};

struct FakeShell {
  EFI_SHELL_INTERFACE Interface{};
  FakeShellEnvironment Environment;

  // Installs the interface (with Argv[0] "Kelmtrax" and the arguments) and
  // the environment on the image handle.
  FakeShell(FakeFirmware &Firmware, const std::vector<std::u16string> &Arguments);
  // Sets the arguments anew; Argc counts the command name.
  void SetArguments(const std::vector<std::u16string> &Arguments);

 private:
  std::vector<std::u16string> Storage;
  std::vector<CHAR16 *> Pointers;
};

}  // namespace fake
