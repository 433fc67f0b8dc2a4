// The values of a print call, each packed into one 64-bit slot, and the
// cursor the format engine reads them through.
//
// Widening rule: a signed integer type (signed char, short, int, long,
// long long, and plain char, which is signed on x86-64) is sign-extended to
// 64 bits; an unsigned one (the unsigned types, bool, char8_t, char16_t,
// char32_t) is zero-extended; an enumeration is widened as its underlying
// type; a pointer is stored as its address, and nullptr as 0. Anything else
// (floating point, records) does not compile. So a UINT8 of 0xFF prints as
// "FF" with 'x', an INT8 of -1 prints as "-1" with 'd' and as
// "FFFFFFFFFFFFFFFF" with 'x'.
#pragma once

#include "platform/EfiTypes.h"

// A directive that finds no slot left reads 0 instead of running past the
// caller's values; a 's' then prints "(null)".
struct PRINT_ARGS {
  const UINT64 *Next;
  const UINT64 *End;
};

constexpr UINT64 SignedSlot(INT64 Value) { return static_cast<UINT64>(Value); }
constexpr UINT64 UnsignedSlot(UINT64 Value) { return Value; }

constexpr UINT64 ToSlot(signed char Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(short Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(int Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(long Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(long long Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(char Value) { return SignedSlot(Value); }
constexpr UINT64 ToSlot(unsigned char Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(unsigned short Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(unsigned int Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(unsigned long Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(unsigned long long Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(bool Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(char8_t Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(char16_t Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(char32_t Value) { return UnsignedSlot(Value); }
constexpr UINT64 ToSlot(decltype(nullptr)) { return 0; }
UINT64 ToSlot(float) = delete;
UINT64 ToSlot(double) = delete;
UINT64 ToSlot(long double) = delete;

template <typename T>
UINT64 ToSlot(T *Pointer) {
  return static_cast<UINT64>(reinterpret_cast<uintptr_t>(Pointer));
}

template <typename T>
  requires __is_enum(T)
constexpr UINT64 ToSlot(T Value) {
  return ToSlot(static_cast<__underlying_type(T)>(Value));
}

// The packed values of one call; one slot more than needed so that a call
// without values still has an array.
template <UINTN Count>
struct PRINT_SLOTS {
  UINT64 Slot[Count + 1];
  PRINT_ARGS Args() const { return {Slot, Slot + Count}; }
};

template <typename... Values>
constexpr PRINT_SLOTS<sizeof...(Values)> PackSlots(Values... Value) {
  return {{ToSlot(Value)..., 0}};
}
