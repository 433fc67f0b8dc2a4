#include "runtime/FirmwareCalls.h"

#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"

BOOLEAN GrowBufferRetry(EFI_STATUS *Status, VOID **Block, UINTN Size) {
  if (*Block == nullptr && Size != 0) {
    *Status = EFI_BUFFER_TOO_SMALL;
  }
  if (*Status == EFI_BUFFER_TOO_SMALL) {
    if (*Block != nullptr) {
      PoolFree(*Block);
    }
    *Block = PoolAllocateZero(Size);
    if (*Block != nullptr) {
      return TRUE;
    }
    *Status = EFI_OUT_OF_RESOURCES;
  }
  if (IsError(*Status) && *Block != nullptr) {
    PoolFree(*Block);
    *Block = nullptr;
  }
  return FALSE;
}

EFI_STATUS LocateHandlesByProtocol(EFI_LOCATE_SEARCH_TYPE SearchType, const EFI_GUID *Protocol, VOID *SearchKey,
                                   UINTN *HandleCount, EFI_HANDLE **Handles) {
  *Handles = nullptr;
  EFI_STATUS Status = EFI_SUCCESS;
  UINTN Size = 50 * sizeof(EFI_HANDLE);
  VOID *Block = nullptr;
  while (GrowBufferRetry(&Status, &Block, Size)) {
    Status = RuntimeContext.BootServices->LocateHandle(SearchType, Protocol, SearchKey, &Size,
                                                       static_cast<EFI_HANDLE *>(Block));
  }
  *Handles = static_cast<EFI_HANDLE *>(Block);
  *HandleCount = IsError(Status) ? 0 : Size / sizeof(EFI_HANDLE);
  return Status;
}

EFI_STATUS LocateFirstProtocol(const EFI_GUID *Protocol, VOID **Interface) {
  *Interface = nullptr;
  UINTN Count = 0;
  EFI_HANDLE *Handles = nullptr;
  EFI_STATUS Status = LocateHandlesByProtocol(ByProtocol, Protocol, nullptr, &Count, &Handles);
  if (IsError(Status)) {
    return Status;
  }
  for (UINTN Index = 0; Index < Count; Index++) {
    Status = RuntimeContext.BootServices->HandleProtocol(Handles[Index], Protocol, Interface);
    if (!IsError(Status)) {
      break;
    }
  }
  PoolFree(Handles);
  return Status;
}
