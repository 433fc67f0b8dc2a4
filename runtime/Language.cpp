#include "runtime/Language.h"

#include "platform/EfiStatus.h"
#include "runtime/Memory.h"
#include "runtime/Pool.h"
#include "runtime/Strings.h"
#include "runtime/Variables.h"

namespace {

constexpr UINTN Iso639CodeLength = 3;
constexpr UINTN Unbounded = ~UINTN(0);
constexpr CHAR8 Rfc4646Separator = ';';
constexpr CHAR8 SubtagSeparator = '-';

bool IsLowercaseLetter(CHAR8 Byte) { return Byte >= 'a' && Byte <= 'z'; }

// Bytes before the terminating zero, but never more than Bound: a variable
// that fills its block has no terminator.
UINTN BoundedLength(const CHAR8 *String, UINTN Bound) {
  UINTN Length = 0;
  while (Length < Bound && String[Length] != 0) {
    Length++;
  }
  return Length;
}

CHAR8 *CopyEntry(const CHAR8 *Entry, UINTN Length) {
  CHAR8 *Copy = static_cast<CHAR8 *>(PoolAllocateZero(Length + 1));
  if (Copy != nullptr) {
    MemCopy(Copy, Entry, Length);
  }
  return Copy;
}

// The first entry of at least Prefix bytes that begins with the candidate's
// first Prefix bytes; runs of ';' are empty entries and are skipped.
bool FindRfc4646Entry(const CHAR8 *List, const CHAR8 *Candidate, UINTN Prefix, const CHAR8 **Entry,
                      UINTN *EntryLength) {
  const CHAR8 *Cursor = List;
  while (*Cursor != 0) {
    if (*Cursor == Rfc4646Separator) {
      Cursor++;
      continue;
    }
    UINTN Length = 0;
    while (Cursor[Length] != 0 && Cursor[Length] != Rfc4646Separator) {
      Length++;
    }
    if (Length >= Prefix && AsciiStrNCompare(Cursor, Candidate, Prefix) == 0) {
      *Entry = Cursor;
      *EntryLength = Length;
      return true;
    }
    Cursor += Length;
  }
  return false;
}

// A whole three-byte code starts here; the bytes are tested one at a time so
// that the scan never reads past the list's terminator.
bool IsWholeIso639Entry(const CHAR8 *Cursor) { return Cursor[0] != 0 && Cursor[1] != 0 && Cursor[2] != 0; }

// Decided: a list whose length is not a multiple of three ends with a
// fragment of one or two bytes; the fragment matches nothing.
bool FindIso639Entry(const CHAR8 *List, const CHAR8 *Candidate, UINTN Prefix, const CHAR8 **Entry) {
  for (const CHAR8 *Cursor = List; IsWholeIso639Entry(Cursor); Cursor += Iso639CodeLength) {
    if (AsciiStrNCompare(Cursor, Candidate, Prefix) == 0) {
      *Entry = Cursor;
      return true;
    }
  }
  return false;
}

// ISO 639-2: at most the three bytes of a code. RFC 4646: the candidate's
// first element, as a candidate may itself be a ';' list.
UINTN FirstPrefixLength(const CHAR8 *Candidate, UINTN Length, BOOLEAN Iso639Mode) {
  if (Iso639Mode) {
    return Length < Iso639CodeLength ? Length : Iso639CodeLength;
  }
  UINTN Prefix = 0;
  while (Prefix < Length && Candidate[Prefix] != Rfc4646Separator) {
    Prefix++;
  }
  return Prefix;
}

// Drops the last subtag: the prefix ends before the previous '-', or is 0
// when there is none after position 0.
UINTN ShortenPrefix(const CHAR8 *Candidate, UINTN Prefix) {
  Prefix--;
  while (Prefix > 0 && Candidate[Prefix] != SubtagSeparator) {
    Prefix--;
  }
  return Prefix;
}

// EFI_SUCCESS with a new code in *Match, EFI_NOT_FOUND, or
// EFI_OUT_OF_RESOURCES when the copy could not be made.
EFI_STATUS MatchCandidate(const CHAR8 *List, BOOLEAN Iso639Mode, const CHAR8 *Candidate, UINTN Length,
                          CHAR8 **Match) {
  *Match = nullptr;
  UINTN Prefix = FirstPrefixLength(Candidate, Length, Iso639Mode);
  while (Prefix > 0) {
    const CHAR8 *Entry = nullptr;
    UINTN EntryLength = Iso639CodeLength;
    bool Found = Iso639Mode ? FindIso639Entry(List, Candidate, Prefix, &Entry)
                            : FindRfc4646Entry(List, Candidate, Prefix, &Entry, &EntryLength);
    if (Found) {
      *Match = CopyEntry(Entry, EntryLength);
      return *Match != nullptr ? EFI_SUCCESS : EFI_OUT_OF_RESOURCES;
    }
    if (Iso639Mode) {
      break;
    }
    Prefix = ShortenPrefix(Candidate, Prefix);
  }
  return EFI_NOT_FOUND;
}

// Bounds, when not null, gives each candidate's size in bytes.
CHAR8 *MatchBoundedCandidates(const CHAR8 *SupportedLanguages, BOOLEAN Iso639Mode, const CHAR8 *const *Candidates,
                              const UINTN *Bounds) {
  // An instance without a language list supports no language.
  if (SupportedLanguages == nullptr) {
    return nullptr;
  }
  for (UINTN Index = 0; Candidates[Index] != nullptr; Index++) {
    const CHAR8 *Candidate = Candidates[Index];
    UINTN Length = BoundedLength(Candidate, Bounds != nullptr ? Bounds[Index] : Unbounded);
    CHAR8 *Match = nullptr;
    EFI_STATUS Status = MatchCandidate(SupportedLanguages, Iso639Mode, Candidate, Length, &Match);
    if (Status != EFI_NOT_FOUND) {
      return Match;  // the code, or null when memory ran out
    }
  }
  return nullptr;
}

}  // namespace

CHAR8 *SelectLanguage(const CHAR8 *SupportedLanguages, BOOLEAN Iso639Mode, const CHAR8 *Language) {
  if (Language != nullptr) {
    if (!ValidateLanguageCode(Language, Iso639Mode)) {
      return nullptr;
    }
    const CHAR8 *const Candidates[] = {Language, nullptr};
    return MatchLanguage(SupportedLanguages, Iso639Mode, Candidates);
  }
  UINTN VariableSize = 0;
  CHAR8 *Variable = ReadLanguageVariable(Iso639Mode, &VariableSize);
  const CHAR8 *const Candidates[] = {Variable != nullptr ? Variable : "", Iso639Mode ? "eng" : "en-US", nullptr};
  // Decided: a value that fills its block without a terminating zero is
  // bounded by the data size the read returned, never by the block's end.
  const UINTN Bounds[] = {VariableSize, Unbounded};
  CHAR8 *Match = MatchBoundedCandidates(SupportedLanguages, Iso639Mode, Candidates, Bounds);
  if (Variable != nullptr) {
    PoolFree(Variable);
  }
  return Match;
}

CHAR8 *MatchLanguage(const CHAR8 *SupportedLanguages, BOOLEAN Iso639Mode, const CHAR8 *const *Candidates) {
  return MatchBoundedCandidates(SupportedLanguages, Iso639Mode, Candidates, nullptr);
}

BOOLEAN ValidateLanguageCode(const CHAR8 *Language, BOOLEAN Iso639Mode) {
  if (Language == nullptr) {
    return FALSE;
  }
  if (Iso639Mode) {
    bool ThreeLetters = IsLowercaseLetter(Language[0]) && IsLowercaseLetter(Language[1]) &&
                        IsLowercaseLetter(Language[2]) && Language[3] == 0;
    return ThreeLetters ? TRUE : FALSE;
  }
  if (Language[0] == 0) {
    return FALSE;
  }
  // The leading run of lowercase letters is the primary subtag: one letter
  // only as a singleton ("i-", "x-"), never more than three. Other starts
  // are let through.
  UINTN Run = 0;
  while (Run <= 3 && IsLowercaseLetter(Language[Run])) {
    Run++;
  }
  if (Run > 3 || (Run == 1 && Language[1] != SubtagSeparator)) {
    return FALSE;
  }
  return TRUE;
}
