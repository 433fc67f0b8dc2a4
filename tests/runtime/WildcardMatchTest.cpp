// Wildcard matching: every pattern element and its escapes, as one table.
#include <gtest/gtest.h>

#include <string>

#include "runtime/WildcardMatch.h"

namespace {

struct Case {
  std::u16string String, Pattern;
  bool Want;
};

// "\3" is the escape code in these patterns.
const Case Cases[] = {
    // Ordinary units, compared upper-cased.
    {u"", u"", true},
    {u"a", u"", false},
    {u"", u"a", false},
    {u"Abc", u"aBC", true},
    {u"\u00E9", u"\u00C9", false},  // no folding beyond ASCII
    {u"\u00E9", u"\u00E9", true},
    // '?'
    {u"abc", u"a?c", true},
    {u"", u"?", false},
    {u"ab", u"ab?", false},
    // '*'
    {u"HELLO.TXT", u"*.txt", true},
    {u"a.txt.bak", u"*.txt", false},
    {u"", u"*", true},
    {u"", u"**", true},
    {u"abc", u"*", true},
    {u"abc", u"*b", false},
    {u"abc", u"a*b*c", true},
    {u"abcbd", u"a*b?", true},
    // Ranges: bounds included, all three upper-cased.
    {u"B", u"[a-c]", true},
    {u"b", u"[A-C]", true},
    {u"c", u"[a-c]", true},
    {u"d", u"[a-c]", false},
    {u"b", u"[c-a]", false},
    {u"\u00E9", u"[a-z]", false},
    {u"x1", u"[a-z][0-9]", true},
    // Sets: members compared exactly.
    {u"b", u"[abc]", true},
    {u"B", u"[abc]", false},
    {u"-", u"[a-]", true},
    {u"a", u"[a-]", true},
    {u"m", u"[a\3-z]", false},  // an escaped '-' makes three members
    {u"-", u"[a\3-z]", true},
    {u"x]", u"[x]]", true},
    {u"]", u"[\3]]", true},  // an escaped ']' does not close the set
    {u"a", u"[]", false},
    {u"", u"[]", false},
    {u"", u"[abc]", false},
    // No closing bracket: '[' is an ordinary unit, matched exactly.
    {u"[abc", u"[abc", true},
    {u"xabc", u"[abc", false},
    {u"[a", u"[a\3", true},
    {u"[a]", u"[a\3]", true},  // the escaped ']' is an ordinary unit
    // Escaped '*', '?' and '[' are ordinary, still compared upper-cased.
    {u"a*c", u"a\3*c", true},
    {u"A*C", u"a\3*c", true},
    {u"abc", u"a\3*c", false},
    {u"?", u"\3?", true},
    {u"a", u"\3?", false},
    {u"[ab]", u"\3[ab]", true},
    {u"a", u"[ab]", true},
    // A lone escape code at the end ends the pattern.
    {u"ab", u"ab\3", true},
    {u"abc", u"ab\3", false},
};

TEST(WildcardMatch, FollowsEveryElementRule) {
  for (const Case &C : Cases) {
    EXPECT_EQ(WildcardMatch(C.String.c_str(), C.Pattern.c_str()), C.Want ? TRUE : FALSE)
        << "case " << &C - Cases << ": string of " << C.String.size() << " units";
  }
}

}  // namespace
