// The directive grammar through PrintToBuffer: widths, precisions, fill,
// alignment, the number renderings and the letters that are no directive.
#include <cstdint>

#include "tests/print/PrintTestFixture.h"

namespace fake {
namespace {

struct DirectiveCase {
  const CHAR16 *Format;
  std::vector<UINT64> Values;
  const CHAR16 *Want;
};

const CHAR16 Hi[] = u"hi";
const CHAR16 Hello[] = u"hello";
const CHAR16 Abc[] = u"abc";
const CHAR8 Ascii[] = "ascii \xE9";

constexpr UINT64 Negative(INT64 Value) { return static_cast<UINT64>(Value); }

const DirectiveCase DirectiveCases[] = {
    // Width, precision, fill and alignment.
    {u"%5d", {42}, u"   42"},
    {u"%05d", {42}, u"00042"},
    {u"%-5d", {42}, u"   42"},
    {u"%.5d", {42}, u"   42"},
    {u"%-.5d", {42}, u"42   "},
    {u"%05d", {Negative(-5)}, u"000-5"},
    {u"%5s", {Slot(Hi)}, u"   hi"},
    {u"%.8s", {Slot(Hi)}, u"hi      "},
    {u"%.3s", {Slot(Hello)}, u"hel"},
    {u"%5.3s", {Slot(Hello)}, u"  hel"},
    {u"%-5s", {Slot(Hi)}, u"   hi"},
    {u"%8.5s", {Slot(Hi)}, u"      hi"},
    {u"%12d", {1}, u"           1"},
    {u"%.10s", {Slot(Abc)}, u"abc       "},
    {u"%-.5x", {0xAB}, u"AB   "},
    {u"%0-5d", {7}, u"00007"},
    {u"a%db%sc", {1, Slot(Hi)}, u"a1bhic"},
    // '.' then '0' is zero fill, not a precision of zero.
    {u"%.0s", {Slot(Abc)}, u"abc"},
    {u"%5.0s", {Slot(Abc)}, u"00abc"},
    // '*' takes the width, or after '.' the precision, from the next value.
    {u"%*d", {6, 42}, u"    42"},
    {u"%-*d|", {4, 42}, u"  42|"},
    {u"%.*s|", {0, Slot(Abc)}, u"|"},
    {u"%5.*s|", {0, Slot(Abc)}, u"     |"},
    {u"%-.*s|", {4, Slot(Hi)}, u"hi  |"},
    {u"%*.*s", {6, 2, Slot(Abc)}, u"    ab"},
    {u"%3*d", {5, 1}, u"    1"},
    // '%'.
    {u"%%", {}, u"%"},
    {u"%5%", {}, u"    %"},
    {u"%-.3%|", {}, u"%  |"},
    // Hexadecimal.
    {u"%x", {0x1F}, u"1F"},
    {u"%X", {0x1F}, u"0000001F"},
    {u"%lX", {0x1F}, u"000000000000001F"},
    {u"%08x", {0x1F}, u"0000001F"},
    {u"%x", {0}, u"0"},
    {u"%X", {0}, u"00000000"},
    {u"%lX", {0}, u"0000000000000000"},
    {u"%x", {0x123456789ULL}, u"123456789"},
    {u"%X", {0x123456789ULL}, u"123456789"},
    {u"%x", {~0ULL}, u"FFFFFFFFFFFFFFFF"},
    {u"%x", {0xabcdefULL}, u"ABCDEF"},
    {u"%3X", {0x1F}, u"0000001F"},   // 'X' replaces a width given before it
    {u"%-12X", {0x1F}, u"0000001F"},
    {u"%.10X|", {0x1F}, u"  0000001F|"},
    {u"%lx %ld", {255, 5}, u"FF 5"},  // 'l' changes nothing but 'X'
    // Decimal.
    {u"%d", {0}, u"0"},
    {u"%d", {Negative(-1)}, u"-1"},
    {u"%d", {Negative(INT64_MIN)}, u"-9223372036854775808"},
    {u"%,d", {Negative(INT64_MIN)}, u"-9,223,372,036,854,775,808"},
    {u"%d", {~0ULL >> 1}, u"9223372036854775807"},
    {u"%,d", {16777215}, u"16,777,215"},
    {u"%,d", {Negative(-1024)}, u"-1,024"},
    {u"%,d", {0}, u"0"},
    {u"%,d", {999}, u"999"},
    {u"%,d", {1000}, u"1,000"},
    {u"%,d", {100000}, u"100,000"},
    {u"%,d", {Negative(-999999)}, u"-999,999"},
    {u"%8,d", {1234}, u"   1,234"},
    {u"%08,d", {Negative(-1234)}, u"00-1,234"},
    // Characters and strings.
    {u"%c", {u'A'}, u"A"},
    {u"%c", {0x10041}, u"A"},  // the low 16 bits only
    {u"%3c", {u'Z'}, u"  Z"},
    {u"%c|", {0}, u"|"},       // a zero character is no text at all
    {u"%s", {0}, u"(null)"},
    {u"%8s|", {0}, u"  (null)|"},
    {u"%a", {Slot(Ascii)}, u"ascii \u00E9"},
    {u"%.2a|", {Slot(Ascii)}, u"as|"},
    {u"%.8a|", {Slot(Ascii)}, u"ascii \u00E9 |"},
    {u"%a", {0}, u"(null)"},
    {u"%.3a", {0}, u"(nu"},
    // A null GUID pointer prints like a null string, width and precision
    // included.
    {u"%g|", {0}, u"(null)|"},
    {u"%8g|", {0}, u"  (null)|"},
    {u"%.8g|", {0}, u"(null)  |"},
    {u"%.2g%d", {0, 4}, u"(n4"},
    // Letters that are no directive print '?' and take no value.
    {u"%q%u%i", {}, u"???"},
    {u"%q%d", {7}, u"?7"},
    {u"%5q", {}, u"    ?"},
    {u"%\u00E9%d", {3}, u"?3"},
    // Attribute letters do nothing where there are no attributes.
    {u"%Hs", {Slot(Hi)}, u"hi"},
    {u"%bs", {Slot(Hi)}, u"hi"},
    {u"%NEx", {0x1F}, u"1F"},
    {u"%5vd", {42}, u"   42"},
    // A format that ends inside a directive ends there.
    {u"ab%", {}, u"ab"},
    {u"ab%5", {}, u"ab"},
    {u"ab%-.", {}, u"ab"},
    {u"ab%h", {}, u"ab"},
    // Line feeds get their carriage return, unless they have one.
    {u"a\nb", {}, u"a\r\nb"},
    {u"a\r\nb", {}, u"a\r\nb"},
    {u"\n\n", {}, u"\r\n\r\n"},
    {u"\r\r\n\n\r", {}, u"\r\r\n\r\n\r"},
    {u"%c", {u'\n'}, u"\r\n"},
    {u"%s", {Slot(u"x\ny")}, u"x\r\ny"},
    // Values the caller did not pass read as 0.
    {u"%d %s %x", {}, u"0 (null) 0"},
    {u"%d %d", {5}, u"5 0"},
};

TEST_F(PrintTest, DirectivesFormatAsTheirTableSays) {
  for (const DirectiveCase &Case : DirectiveCases) {
    EXPECT_EQ(Narrow(Format(Case.Format, Case.Values)), Narrow(Case.Want)) << "format " << Narrow(Case.Format);
  }
}

// The C++ front packs each value by its own type's signedness.
enum class SmallSigned : INT8 { MinusThree = -3 };
enum Unsigned16 : UINT16 { Top = 0xFFFF };

TEST_F(PrintTest, ValuesAreWidenedByTheirOwnType) {
  CHAR16 Buffer[200];
  PrintToBuffer(Buffer, sizeof(Buffer), u"%d %d %x %x %d", static_cast<INT8>(-1), static_cast<INT16>(-2),
                static_cast<UINT8>(0xFF), static_cast<INT32>(-1), static_cast<UINT32>(0xFFFFFFFF));
  EXPECT_EQ(std::u16string(Buffer), u"-1 -2 FF FFFFFFFFFFFFFFFF 4294967295");

  PrintToBuffer(Buffer, sizeof(Buffer), u"%c%c %d %d %x %d", u'Z', 'A', true, SmallSigned::MinusThree, Top, 'A');
  EXPECT_EQ(std::u16string(Buffer), u"ZA 1 -3 FFFF 65");

  const CHAR16 *Text = u"text";
  PrintToBuffer(Buffer, sizeof(Buffer), u"%s %a %x %s", Text, "narrow", reinterpret_cast<void *>(0x1234), nullptr);
  EXPECT_EQ(std::u16string(Buffer), u"text narrow 1234 (null)");

  EXPECT_EQ(PrintToBuffer(Buffer, sizeof(Buffer), u"no values"), 9u);
}

}  // namespace
}  // namespace fake
