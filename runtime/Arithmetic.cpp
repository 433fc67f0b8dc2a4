#include "runtime/Arithmetic.h"

UINT64 U64ShiftRight(UINT64 Value, UINTN Count) { return Value >> (Count & 63); }

UINT64 U64DivRem(UINT64 Dividend, UINT64 Divisor, UINT64 *Remainder) {
  if (Remainder != nullptr) {
    *Remainder = Dividend % Divisor;
  }
  return Dividend / Divisor;
}
