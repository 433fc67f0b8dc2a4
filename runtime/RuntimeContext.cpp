#include "runtime/RuntimeContext.h"

#include "platform/LoadedImage.h"
#include "runtime/BuiltinCollation.h"
#include "runtime/CollationBinding.h"

namespace {

constexpr RUNTIME_CONTEXT ContextAtLoad = {
    .Initialised = FALSE,
    .SystemTable = nullptr,
    .BootServices = nullptr,
    .RuntimeServices = nullptr,
    .PoolType = EfiBootServicesData,
    .ShellInterface = nullptr,
    .ShellEnvironment = nullptr,
    .Collation = &BuiltinCollation,
};

VOID FillContextOnce(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  RuntimeContext.Initialised = TRUE;
  RuntimeContext.SystemTable = SystemTable;
  RuntimeContext.BootServices = SystemTable->BootServices;
  RuntimeContext.RuntimeServices = SystemTable->RuntimeServices;
  if (ImageHandle == nullptr) {
    return;
  }
  VOID *Interface = nullptr;
  EFI_STATUS Status =
      RuntimeContext.BootServices->HandleProtocol(ImageHandle, &EfiLoadedImageProtocolGuid, &Interface);
  if (!IsError(Status)) {
    RuntimeContext.PoolType = static_cast<EFI_LOADED_IMAGE_PROTOCOL *>(Interface)->ImageDataType;
  }
}

}  // namespace

constinit RUNTIME_CONTEXT RuntimeContext = ContextAtLoad;

RUNTIME_CONTEXT RuntimeContextAtLoad() { return ContextAtLoad; }

VOID AttachRuntime(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  if (!RuntimeContext.Initialised) {
    FillContextOnce(ImageHandle, SystemTable);
  }
  // Taken on every call, until a firmware instance has replaced the
  // built-in collation.
  if (ImageHandle != nullptr && RuntimeContext.Collation == &BuiltinCollation) {
    BindCollation(ImageHandle);
  }
}
