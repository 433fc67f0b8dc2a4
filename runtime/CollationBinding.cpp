#include "runtime/CollationBinding.h"

#include "platform/BootServices.h"
#include "platform/UnicodeCollation.h"
#include "runtime/Guid.h"
#include "runtime/Language.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"

namespace {

// Only the language matters here; the chosen code itself is not kept.
bool SupportsPlatformLanguage(const EFI_UNICODE_COLLATION_PROTOCOL *Instance, BOOLEAN Iso639Mode) {
  if (Instance == nullptr) {
    return false;
  }
  CHAR8 *Code = SelectLanguage(Instance->SupportedLanguages, Iso639Mode, nullptr);
  if (Code == nullptr) {
    return false;
  }
  PoolFree(Code);
  return true;
}

}  // namespace

VOID BindCollation(EFI_HANDLE ImageHandle) {
  EFI_STATUS Status = BindCollationProtocol(ImageHandle, &EfiUnicodeCollation2ProtocolGuid);
  if (IsError(Status)) {
    BindCollationProtocol(ImageHandle, &EfiUnicodeCollationProtocolGuid);
  }
}

EFI_STATUS BindCollationProtocol(EFI_HANDLE ImageHandle, const EFI_GUID *Protocol) {
  UINTN HandleCount = 0;
  EFI_HANDLE *Handles = nullptr;
  EFI_STATUS Status =
      RuntimeContext.BootServices->LocateHandleBuffer(ByProtocol, Protocol, nullptr, &HandleCount, &Handles);
  if (IsError(Status)) {
    return Status;
  }
  BOOLEAN Iso639Mode = GuidCompare(Protocol, &EfiUnicodeCollationProtocolGuid) == 0 ? TRUE : FALSE;

  // Decided: each open replaces the status, so it ends as the last open's
  // when nothing binds. A successful open whose languages did not match
  // then reports success, and the older protocol is tried only after an
  // error.
  Status = EFI_UNSUPPORTED;
  for (UINTN Index = 0; Index < HandleCount; Index++) {
    VOID *Interface = nullptr;
    Status = RuntimeContext.BootServices->OpenProtocol(Handles[Index], Protocol, &Interface, ImageHandle, nullptr,
                                                       EFI_OPEN_PROTOCOL_GET_PROTOCOL);
    if (IsError(Status)) {
      continue;
    }
    auto *Instance = static_cast<EFI_UNICODE_COLLATION_PROTOCOL *>(Interface);
    if (SupportsPlatformLanguage(Instance, Iso639Mode)) {
      // Kept open for the life of the image: it is never closed.
      RuntimeContext.Collation = Instance;
      Status = EFI_SUCCESS;
      break;
    }
  }
  if (Handles != nullptr) {
    PoolFree(Handles);
  }
  return Status;
}
