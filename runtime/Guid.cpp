#include "runtime/Guid.h"

#include "runtime/Memory.h"

INTN GuidCompare(const EFI_GUID *First, const EFI_GUID *Second) {
  // GUIDs inside device path nodes need not be aligned: copy the words out.
  UINT32 A[4];
  UINT32 B[4];
  MemCopy(A, First, sizeof(A));
  MemCopy(B, Second, sizeof(B));
  return (A[0] != B[0]) || (A[1] != B[1]) || (A[2] != B[2]) || (A[3] != B[3]);
}
