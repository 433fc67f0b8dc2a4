#include "print/NumberText.h"

#include "runtime/Arithmetic.h"

namespace {

constexpr CHAR16 HexDigits[] = u"0123456789ABCDEF";

// Digits collected least significant first, written out the other way.
CHAR16 *WriteReversed(CHAR16 *Dst, const CHAR16 *Digits, UINTN Count) {
  while (Count > 0) {
    *Dst++ = Digits[--Count];
  }
  return Dst;
}

// Countdown start that puts the first comma after the leading D mod 3 digits
// (a full group when D is a multiple of three).
constexpr UINTN FirstGroupCountdown[3] = {3, 1, 2};
constexpr UINTN NoGroupCountdown = 999;

}  // namespace

VOID HexToText(CHAR16 *Dst, UINT64 Value) {
  CHAR16 Digits[16];
  UINTN Count = 0;
  do {
    Digits[Count++] = HexDigits[Value & 0xF];
    Value = U64ShiftRight(Value, 4);
  } while (Value != 0);
  *WriteReversed(Dst, Digits, Count) = 0;
}

VOID DecimalToText(CHAR16 *Dst, BOOLEAN Comma, INT64 Value) {
  if (Value == 0) {
    Dst[0] = u'0';
    Dst[1] = 0;
    return;
  }
  // Negating as unsigned gives the most negative value its full magnitude.
  UINT64 Magnitude = static_cast<UINT64>(Value);
  if (Value < 0) {
    *Dst++ = u'-';
    Magnitude = 0 - Magnitude;
  }
  CHAR16 Digits[20];
  UINTN Count = 0;
  while (Magnitude != 0) {
    UINT64 Remainder = 0;
    Magnitude = U64DivRem(Magnitude, 10, &Remainder);
    Digits[Count++] = static_cast<CHAR16>(u'0' + Remainder);
  }
  UINTN Countdown = (Comma ? FirstGroupCountdown[Count % 3] : NoGroupCountdown) + 1;
  while (Count > 0) {
    if (--Countdown == 0) {
      *Dst++ = u',';
      Countdown = 3;
    }
    *Dst++ = Digits[--Count];
  }
  *Dst = 0;
}
