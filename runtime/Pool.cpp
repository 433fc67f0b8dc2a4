#include "runtime/Pool.h"

#include "runtime/Memory.h"
#include "runtime/RuntimeContext.h"

VOID *PoolAllocate(UINTN Size) {
  VOID *Block = nullptr;
  EFI_STATUS Status = RuntimeContext.BootServices->AllocatePool(RuntimeContext.PoolType, Size, &Block);
  return IsError(Status) ? nullptr : Block;
}

VOID *PoolAllocateZero(UINTN Size) {
  VOID *Block = PoolAllocate(Size);
  if (Block != nullptr) {
    MemSet(Block, Size, 0);
  }
  return Block;
}

EFI_STATUS PoolFree(VOID *Block) { return RuntimeContext.BootServices->FreePool(Block); }

VOID *PoolReallocate(VOID *OldBlock, UINTN OldSize, UINTN NewSize) {
  VOID *NewBlock = nullptr;
  if (NewSize != 0) {
    NewBlock = PoolAllocate(NewSize);
  }
  if (OldBlock != nullptr) {
    if (NewBlock != nullptr) {
      MemCopy(NewBlock, OldBlock, OldSize < NewSize ? OldSize : NewSize);
    }
    PoolFree(OldBlock);
  }
  return NewBlock;
}
