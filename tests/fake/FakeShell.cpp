#include "tests/fake/FakeShell.h"

#include <gtest/gtest.h>

namespace fake {

namespace {

// The environment's functions take no interface pointer, so the calls reach
// the environment that was made last.
FakeShellEnvironment *ActiveEnvironment = nullptr;

FakeShellEnvironment &Environment() {
  if (ActiveEnvironment == nullptr) {
    ADD_FAILURE() << "shell environment called after it was removed";
    std::abort();
  }
  return *ActiveEnvironment;
}

EFI_STATUS EFIAPI StartupCall() {
  Environment().StartupCalls++;
  return EFI_SUCCESS;
}

UINT32 EFIAPI GetFlags() { return Environment().Flags; }

VOID EFIAPI SetFlags(UINT32 Flags) {
  Environment().Flags = Flags;
  Environment().FlagsWritten.push_back(Flags);
}

CHAR16 *EFIAPI GetProtocolName(const EFI_GUID *Protocol, BOOLEAN GenId) {
  FakeShellEnvironment &Shell = Environment();
  Shell.NameLookups++;
  EXPECT_EQ(GenId, FALSE);
  auto Found = Shell.Names.find(GuidKey(*Protocol));
  return Found == Shell.Names.end() ? nullptr : Found->second.data();
}

}  // namespace

FakeShellEnvironment::FakeShellEnvironment(UINT32 MajorVersion) {
  Protocol.Signature = ShellEnvironmentSignatureGuid;
  Protocol.MajorVersion = MajorVersion;
  Protocol.StartupCall = StartupCall;
  Protocol.GetFlags = GetFlags;
  Protocol.SetFlags = SetFlags;
  Protocol.GetProtocolName = GetProtocolName;
  ActiveEnvironment = this;
}

FakeShellEnvironment::~FakeShellEnvironment() {
  if (ActiveEnvironment == this) {
    ActiveEnvironment = nullptr;
  }
}

FakeShell::FakeShell(FakeFirmware &Firmware, const std::vector<std::u16string> &Arguments) {
  Interface.ImageHandle = Firmware.ImageHandle;
  Interface.Info = &Firmware.LoadedImage;
  SetArguments(Arguments);
  Firmware.Install(Firmware.ImageHandle, ShellInterfaceProtocolGuid, &Interface);
  Firmware.Install(Firmware.ImageHandle, ShellEnvironmentProtocolGuid, &Environment.Protocol);
}

void FakeShell::SetArguments(const std::vector<std::u16string> &Arguments) {
  Storage.clear();
  Storage.push_back(u"Kelmtrax");
  Storage.insert(Storage.end(), Arguments.begin(), Arguments.end());
  Pointers.clear();
  for (std::u16string &Argument : Storage) {
    Pointers.push_back(Argument.data());
  }
  Pointers.push_back(nullptr);
  Interface.Argv = Pointers.data();
  Interface.Argc = Storage.size();
}

}  // namespace fake
