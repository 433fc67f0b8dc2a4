#include "shellcompat/CompatEnvironment.h"

#include "shellcompat/ProtocolNames.h"
#include "shellcompat/ShellCompatState.h"

SHELL_ENVIRONMENT CompatEnvironment;

namespace {

// The members we give no meaning answer this instead of being null, so a
// legacy command that calls one gets a status rather than a jump to zero.
EFI_STATUS EFIAPI UnsupportedMember() { return EFI_UNSUPPORTED; }

// There is nothing for a command to start up: the firmware's own shell has
// set up the console already.
EFI_STATUS EFIAPI StartupCall() { return EFI_SUCCESS; }

UINT32 EFIAPI GetFlags() { return ShellCompat.EnvironmentFlags; }

VOID EFIAPI SetFlags(UINT32 Flags) { ShellCompat.EnvironmentFlags = Flags; }

// GenId asks a legacy shell to make up a name for an unknown GUID; we never
// do, so an unknown GUID answers null either way.
CHAR16 *EFIAPI GetProtocolName(const EFI_GUID *Protocol, BOOLEAN GenId) {
  (void)GenId;
  // The caller reads the name only; the table stays constant.
  return const_cast<CHAR16 *>(ProtocolNameOf(Protocol));
}

void *Untyped(EFI_STATUS(EFIAPI *Function)()) { return reinterpret_cast<void *>(Function); }

}  // namespace

VOID BuildCompatEnvironment() {
  void *Unsupported = Untyped(UnsupportedMember);
  CompatEnvironment.Member1 = Unsupported;
  CompatEnvironment.Member2 = Unsupported;
  CompatEnvironment.Member3 = Unsupported;
  CompatEnvironment.Member4 = Unsupported;
  CompatEnvironment.Member5 = Unsupported;
  CompatEnvironment.GetProtocolName = GetProtocolName;
  CompatEnvironment.Member7 = Unsupported;
  CompatEnvironment.Member8 = Unsupported;
  CompatEnvironment.Member9 = Unsupported;
  CompatEnvironment.Member10 = Unsupported;
  CompatEnvironment.Member11 = Unsupported;
  CompatEnvironment.Member12 = Unsupported;
  CompatEnvironment.Signature = ShellEnvironmentSignatureGuid;
  CompatEnvironment.MajorVersion = CompatEnvironmentMajorVersion;
  CompatEnvironment.MinorVersion = CompatEnvironmentMinorVersion;
  CompatEnvironment.Member16 = Unsupported;
  CompatEnvironment.StartupCall = StartupCall;
  CompatEnvironment.Member18 = Unsupported;
  CompatEnvironment.SetFlags = SetFlags;
  CompatEnvironment.GetFlags = GetFlags;
}
