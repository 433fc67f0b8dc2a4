// Pool memory in the image's own data memory type. A block belongs to its
// caller until PoolFree.
#pragma once

#include "platform/EfiStatus.h"

VOID *PoolAllocate(UINTN Size);
VOID *PoolAllocateZero(UINTN Size);
EFI_STATUS PoolFree(VOID *Block);

// Frees the old block in every case, also when it returns null.
VOID *PoolReallocate(VOID *OldBlock, UINTN OldSize, UINTN NewSize);
