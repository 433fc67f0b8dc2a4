// Choosing a language code from a collation instance's supported list. In
// ISO 639-2 mode (TRUE) the list is three-letter codes written one after
// another; in RFC 4646 mode (FALSE) it is codes separated by ';'. Returned
// codes are new pool blocks the caller frees.
#pragma once

#include "platform/EfiTypes.h"

// With a code: that code alone, if it is well formed for the mode. Without
// one: the platform's language variable, then "eng" or "en-US".
CHAR8 *SelectLanguage(const CHAR8 *SupportedLanguages, BOOLEAN Iso639Mode, const CHAR8 *Language);

// The first supported entry that a candidate selects; Candidates ends with a
// null entry. Null when none matches or when memory runs out.
CHAR8 *MatchLanguage(const CHAR8 *SupportedLanguages, BOOLEAN Iso639Mode, const CHAR8 *const *Candidates);

BOOLEAN ValidateLanguageCode(const CHAR8 *Language, BOOLEAN Iso639Mode);
