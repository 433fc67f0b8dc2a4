// Byte copy and fill, string routines, GUID comparison and the 64-bit helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/Arithmetic.h"
#include "runtime/Guid.h"
#include "runtime/Memory.h"
#include "runtime/Strings.h"

namespace {

TEST(MemCopy, HandlesOverlapInBothDirections) {
  struct Case {
    size_t To, From, Length;
    const char *Want;
  };
  constexpr Case Cases[] = {
      {1, 0, 4, "aabcdfgh"},  // destination one above the source: copied backwards
      {0, 1, 4, "bcdeefgh"},  // destination below the source: copied forwards
      {3, 0, 4, "abcabcdh"},  // destination at the source's last byte
      {2, 0, 0, "abcdefgh"},  // nothing at all
      {4, 0, 4, "abcdabcd"},  // disjoint
  };
  for (const Case &C : Cases) {
    char Buffer[9] = "abcdefgh";
    MemCopy(Buffer + C.To, Buffer + C.From, C.Length);
    EXPECT_STREQ(Buffer, C.Want) << "to " << C.To << " from " << C.From << " length " << C.Length;
  }
}

TEST(MemSet, FillsExactlyTheRange) {
  unsigned char Buffer[6] = {1, 1, 1, 1, 1, 1};
  MemSet(Buffer + 1, 4, 0xAB);
  const unsigned char Want[6] = {1, 0xAB, 0xAB, 0xAB, 0xAB, 1};
  EXPECT_EQ(std::memcmp(Buffer, Want, 6), 0);
}

TEST(StrTrimChar, RemovesOnlyTheOuterRuns) {
  struct Case {
    const char16_t *Text, *Want;
  };
  constexpr Case Cases[] = {
      {u"  ab c  ", u"ab c"}, {u"    ", u""}, {u"", u""}, {u"ab", u"ab"}, {u" a", u"a"}, {u"a ", u"a"},
  };
  for (const Case &C : Cases) {
    std::u16string Text(C.Text);
    Text.push_back(u'\0');
    // A guard unit after the terminator must survive.
    Text.push_back(u'#');
    StrTrimChar(Text.data(), u' ');
    EXPECT_EQ(std::u16string(Text.data()), std::u16string(C.Want));
    EXPECT_EQ(Text.back(), u'#');
  }
}

TEST(StrLengthAndCopy, StopAtTheTerminator) {
  const CHAR16 Source[] = u"EC\0tail";
  CHAR16 Destination[8];
  for (CHAR16 &Unit : Destination) Unit = u'#';
  StrCopy(Destination, Source);
  EXPECT_EQ(StrLength(Source), 2u);
  EXPECT_EQ(std::u16string(Destination), u"EC");
  EXPECT_EQ(Destination[3], u'#');
  EXPECT_EQ(AsciiStrLength("en-US"), 5u);
  EXPECT_EQ(AsciiStrLength(""), 0u);
}

TEST(AsciiStrNCompare, ComparesWithinTheLimit) {
  struct Case {
    const char *First, *Second;
    UINTN Limit;
    int Sign;
  };
  constexpr Case Cases[] = {
      {"abc", "abd", 2, 0},  {"abc", "abd", 3, -1}, {"ab", "abc", 5, -1}, {"abc", "ab", 5, 1},
      {"x", "y", 0, 0},      {"eng", "eng", 9, 0},  {"", "a", 1, -1},     {"\xE9", "a", 1, 1},
  };
  for (const Case &C : Cases) {
    INTN Result = AsciiStrNCompare(C.First, C.Second, C.Limit);
    int Sign = Result < 0 ? -1 : (Result > 0 ? 1 : 0);
    EXPECT_EQ(Sign, C.Sign) << C.First << " vs " << C.Second << " limit " << C.Limit;
  }
}

TEST(GuidCompare, EqualOnlyWhenAllSixteenBytesAre) {
  const EFI_GUID A = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(GuidCompare(&A, &A), 0);
  for (size_t Byte = 0; Byte < sizeof(EFI_GUID); Byte++) {
    EFI_GUID B = A;
    reinterpret_cast<UINT8 *>(&B)[Byte] ^= 0x80;
    EXPECT_NE(GuidCompare(&A, &B), 0) << "byte " << Byte;
  }
  // GUIDs inside device path nodes sit at odd addresses.
  alignas(8) UINT8 Unaligned[17];
  std::memcpy(Unaligned + 1, &A, sizeof(A));
  EXPECT_EQ(GuidCompare(reinterpret_cast<const EFI_GUID *>(Unaligned + 1), &A), 0);
}

TEST(Arithmetic, ShiftsModulo64AndDividesWithRemainder) {
  EXPECT_EQ(U64ShiftRight(0xF000000000000000ULL, 4), 0x0F00000000000000ULL);
  EXPECT_EQ(U64ShiftRight(0x10, 64), 0x10u);
  EXPECT_EQ(U64ShiftRight(0x10, 68), 0x1u);
  UINT64 Remainder = 0;
  EXPECT_EQ(U64DivRem(0xFFFFFFFFFFFFFFFFULL, 10, &Remainder), 1844674407370955161ULL);
  EXPECT_EQ(Remainder, 5u);
  EXPECT_EQ(U64DivRem(42, 10, nullptr), 4u);
}

}  // namespace
