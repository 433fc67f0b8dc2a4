// ASCII-only case mapping of CHAR16 code units: every other unit maps to
// itself, so the built-in collation never claims rules it does not know.
#pragma once

#include "platform/EfiTypes.h"

constexpr CHAR16 CharToUpper(CHAR16 Unit) { return (Unit >= u'a' && Unit <= u'z') ? CHAR16(Unit - u'a' + u'A') : Unit; }

constexpr CHAR16 CharToLower(CHAR16 Unit) { return (Unit >= u'A' && Unit <= u'Z') ? CHAR16(Unit - u'A' + u'a') : Unit; }
