// Wildcard matching of CHAR16 strings as the collation protocol's MetaiMatch
// does it: '*', '?', '[set]' and '[a-z]', case-insensitive for ASCII.
#pragma once

#include "platform/EfiTypes.h"

// In a pattern, this code unit makes the one after it an ordinary character.
constexpr CHAR16 WildcardEscape = 0x0003;

BOOLEAN WildcardMatch(const CHAR16 *String, const CHAR16 *Pattern);
