// The built-in collation interface: ASCII-only case rules through the
// protocol's own record.
#include <gtest/gtest.h>

#include <string>

#include "runtime/BuiltinCollation.h"
#include "runtime/RuntimeContext.h"

namespace {

TEST(BuiltinCollation, IsTheInterfaceInForceAtLoad) {
  EXPECT_EQ(RuntimeContextAtLoad().Collation, &BuiltinCollation);
  EXPECT_EQ(BuiltinCollation.StriColl, &BuiltinStriColl);
  EXPECT_EQ(BuiltinCollation.MetaiMatch, &BuiltinMetaiMatch);
  EXPECT_EQ(BuiltinCollation.StrLwr, &BuiltinStrLwr);
  EXPECT_EQ(BuiltinCollation.StrUpr, &BuiltinStrUpr);
  EXPECT_EQ(BuiltinCollation.FatToStr, nullptr);
  EXPECT_EQ(BuiltinCollation.StrToFat, nullptr);
  EXPECT_EQ(BuiltinCollation.SupportedLanguages, nullptr);
}

TEST(BuiltinCollation, StriCollComparesUpperCasedAsciiUnits) {
  struct Case {
    std::u16string First, Second;
    INTN Want;
  };
  const Case Cases[] = {
      {u"abc", u"ABC", 0},
      {u"", u"", 0},
      {u"abc", u"abd", 'C' - 'D'},
      {u"ab", u"abc", -'C'},
      {u"abc", u"ab", 'C'},
      // Upper-casing, not lower-casing: '[' sorts after 'A' but before 'a'.
      {u"[", u"a", '[' - 'A'},
      // Beyond ASCII nothing is folded.
      {u"\u00E9", u"\u00C9", 0xE9 - 0xC9},
      {u"x\uFFFF", u"X\u0001", 0xFFFF - 0x0001},
  };
  for (const Case &C : Cases) {
    std::u16string First = C.First, Second = C.Second;
    EXPECT_EQ(BuiltinCollation.StriColl(&BuiltinCollation, First.data(), Second.data()), C.Want)
        << "case " << &C - Cases;
  }
}

TEST(BuiltinCollation, StrLwrAndStrUprChangeOnlyAsciiLetters) {
  std::u16string Text = u"Hello, World! @[`{ \u00E9\u00C9\u00FF\u0130Zz";
  std::u16string Lower = Text, Upper = Text;
  BuiltinCollation.StrLwr(&BuiltinCollation, Lower.data());
  BuiltinCollation.StrUpr(&BuiltinCollation, Upper.data());
  EXPECT_EQ(Lower, u"hello, world! @[`{ \u00E9\u00C9\u00FF\u0130zz");
  EXPECT_EQ(Upper, u"HELLO, WORLD! @[`{ \u00E9\u00C9\u00FF\u0130ZZ");
}

TEST(BuiltinCollation, MetaiMatchIsTheWildcardMatch) {
  std::u16string Name = u"HELLO.TXT", Pattern = u"*.txt", Other = u"*.bin";
  EXPECT_TRUE(BuiltinCollation.MetaiMatch(&BuiltinCollation, Name.data(), Pattern.data()));
  EXPECT_FALSE(BuiltinCollation.MetaiMatch(&BuiltinCollation, Name.data(), Other.data()));
}

}  // namespace
