#include "runtime/Variables.h"

#include "platform/RuntimeServices.h"
#include "runtime/FirmwareCalls.h"
#include "runtime/RuntimeContext.h"

namespace {

// Room for any language code; longer values take a second call.
constexpr UINTN FirstVariableGuess = 100;

}  // namespace

VOID *ReadVariable(const CHAR16 *Name, const EFI_GUID *Vendor, UINTN *DataSize) {
  *DataSize = 0;
  VOID *Block = nullptr;
  UINTN Size = FirstVariableGuess;
  EFI_STATUS Status = EFI_SUCCESS;
  while (GrowBufferRetry(&Status, &Block, Size)) {
    Status = RuntimeContext.RuntimeServices->GetVariable(Name, Vendor, nullptr, &Size, Block);
  }
  if (Block != nullptr) {
    *DataSize = Size;
  }
  return Block;
}

CHAR8 *ReadLanguageVariable(BOOLEAN Iso639Mode, UINTN *DataSize) {
  UINTN Size = 0;
  VOID *Value = ReadVariable(Iso639Mode ? u"Lang" : u"PlatformLang", &EfiGlobalVariableGuid, &Size);
  if (DataSize != nullptr) {
    *DataSize = Size;
  }
  return static_cast<CHAR8 *>(Value);
}
