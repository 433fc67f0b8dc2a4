#include "print/GuidText.h"

#include "print/Print.h"
#include "runtime/FirmwareCalls.h"

constinit SHELL_ENVIRONMENT *GuidNameSource = nullptr;

namespace {

constexpr UINTN ScratchBytes = 200;

// Any instance will do: its signature and version are not examined.
VOID FindGuidNameSource() {
  VOID *Interface = nullptr;
  EFI_STATUS Status = LocateFirstProtocol(&ShellEnvironmentProtocolGuid, &Interface);
  GuidNameSource = IsError(Status) ? nullptr : static_cast<SHELL_ENVIRONMENT *>(Interface);
}

}  // namespace

VOID GuidToText(CHAR16 *Buffer, const EFI_GUID *Guid) {
  if (GuidNameSource == nullptr) {
    FindGuidNameSource();
  }
  if (GuidNameSource != nullptr) {
    // The name belongs to the shell: neither kept nor freed.
    const CHAR16 *Name = GuidNameSource->GetProtocolName(Guid, FALSE);
    if (Name != nullptr) {
      PrintToBuffer(Buffer, ScratchBytes, u"%s", Name);
      return;
    }
  }
  PrintToBuffer(Buffer, ScratchBytes, u"%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", Guid->Data1,
                Guid->Data2, Guid->Data3, Guid->Data4[0], Guid->Data4[1], Guid->Data4[2], Guid->Data4[3],
                Guid->Data4[4], Guid->Data4[5], Guid->Data4[6], Guid->Data4[7]);
}
