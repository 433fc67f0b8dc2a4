#include "runtime/WildcardMatch.h"

#include "runtime/CharCase.h"

namespace {

// One pattern element: a code unit, or the escape code and the unit after it.
struct PATTERN_ELEMENT {
  CHAR16 Unit;
  bool Escaped;
  const CHAR16 *Next;  // the element after this one
};

PATTERN_ELEMENT ReadElement(const CHAR16 *Pattern) {
  if (Pattern[0] != WildcardEscape) {
    return {Pattern[0], false, Pattern[0] == 0 ? Pattern : Pattern + 1};
  }
  // A lone escape code at the end escapes the terminator: the pattern ends.
  if (Pattern[1] == 0) {
    return {0, true, Pattern + 1};
  }
  return {Pattern[1], true, Pattern + 2};
}

bool IsUnescaped(const PATTERN_ELEMENT &Element, CHAR16 Unit) { return !Element.Escaped && Element.Unit == Unit; }

// The set's closing ']' after an opening '[', or null when the pattern ends
// first. An escaped ']' does not close the set.
const CHAR16 *FindSetEnd(const CHAR16 *SetText) {
  const CHAR16 *Cursor = SetText;
  while (*Cursor != 0) {
    PATTERN_ELEMENT Element = ReadElement(Cursor);
    if (IsUnescaped(Element, u']')) {
      return Cursor;
    }
    if (Element.Unit == 0) {
      return nullptr;
    }
    Cursor = Element.Next;
  }
  return nullptr;
}

// Three elements with an unescaped '-' in the middle form a range, compared
// upper-cased; any other set text lists its members, compared exactly.
bool SetContains(const CHAR16 *SetText, const CHAR16 *SetEnd, CHAR16 Unit) {
  PATTERN_ELEMENT Elements[3];
  UINTN Count = 0;
  for (const CHAR16 *Cursor = SetText; Cursor < SetEnd && Count <= 3; Count++) {
    PATTERN_ELEMENT Element = ReadElement(Cursor);
    if (Count < 3) {
      Elements[Count] = Element;
    }
    Cursor = Element.Next;
  }
  if (Count == 3 && IsUnescaped(Elements[1], u'-')) {
    CHAR16 Upper = CharToUpper(Unit);
    return Upper >= CharToUpper(Elements[0].Unit) && Upper <= CharToUpper(Elements[2].Unit);
  }
  for (const CHAR16 *Cursor = SetText; Cursor < SetEnd;) {
    PATTERN_ELEMENT Element = ReadElement(Cursor);
    if (Element.Unit == Unit) {
      return true;
    }
    Cursor = Element.Next;
  }
  return false;
}

}  // namespace

BOOLEAN WildcardMatch(const CHAR16 *String, const CHAR16 *Pattern) {
  while (true) {
    PATTERN_ELEMENT Element = ReadElement(Pattern);
    if (Element.Unit == 0) {
      return *String == 0 ? TRUE : FALSE;
    }
    if (IsUnescaped(Element, u'*')) {
      for (; *String != 0; String++) {
        if (WildcardMatch(String, Element.Next)) {
          return TRUE;
        }
      }
      Pattern = Element.Next;
      continue;
    }
    if (IsUnescaped(Element, u'?')) {
      if (*String == 0) {
        return FALSE;
      }
      String++;
      Pattern = Element.Next;
      continue;
    }
    if (IsUnescaped(Element, u'[')) {
      if (*String == 0) {
        return FALSE;
      }
      const CHAR16 *SetEnd = FindSetEnd(Element.Next);
      if (SetEnd == nullptr) {
        // Without a closing bracket the '[' is an ordinary character,
        // compared exactly.
        if (*String != u'[') {
          return FALSE;
        }
        String++;
        Pattern = Element.Next;
        continue;
      }
      if (!SetContains(Element.Next, SetEnd, *String)) {
        return FALSE;
      }
      String++;
      Pattern = SetEnd + 1;
      continue;
    }
    if (CharToUpper(Element.Unit) != CharToUpper(*String)) {
      return FALSE;
    }
    String++;
    Pattern = Element.Next;
  }
}
