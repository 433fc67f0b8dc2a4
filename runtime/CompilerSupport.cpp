// The compiler may emit calls to memset and memcpy for large initialisers and
// copies even in a freestanding image; the image links no C library, so they
// come from our own primitives. The host build takes them from its C library.
#include "runtime/Memory.h"

extern "C" {

void *memset(void *Buffer, int Value, size_t Length) {
  MemSet(Buffer, Length, static_cast<UINT8>(Value));
  return Buffer;
}

void *memcpy(void *Destination, const void *Source, size_t Length) {
  MemCopy(Destination, Source, Length);
  return Destination;
}

void *memmove(void *Destination, const void *Source, size_t Length) {
  MemCopy(Destination, Source, Length);
  return Destination;
}
}
