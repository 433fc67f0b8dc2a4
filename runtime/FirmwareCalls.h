// Support for firmware calls that report the buffer size they need, and
// handle lookup by protocol.
#pragma once

#include "platform/BootServices.h"

// Run a firmware call in a loop: while this answers TRUE, make the call with
// *Block and Size, let it update Size, and store its status in *Status.
// Blocks are zero-filled. On an error the block pointer ends null.
BOOLEAN GrowBufferRetry(EFI_STATUS *Status, VOID **Block, UINTN Size);

// The handle list is a pool block the caller frees; null with a count of 0
// on any error.
EFI_STATUS LocateHandlesByProtocol(EFI_LOCATE_SEARCH_TYPE SearchType, const EFI_GUID *Protocol, VOID *SearchKey,
                                   UINTN *HandleCount, EFI_HANDLE **Handles);

// The protocol instance of the first handle that answers for it.
EFI_STATUS LocateFirstProtocol(const EFI_GUID *Protocol, VOID **Interface);
