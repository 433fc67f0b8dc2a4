// The run of the format engine: the format string, its directives and the
// writing of an item as a field.
#include "print/FormatState.h"
#include "print/ItemRenderers.h"
#include "print/NumberText.h"
#include "print/PageBreakState.h"
#include "runtime/Pool.h"

namespace {

constexpr CHAR8 NullText8[] = "(null)";
constexpr CHAR16 NullText[] = u"(null)";

enum DIRECTIVE_STEP {
  DirectiveGoesOn,           // a flag: read the next character of the directive
  DirectiveEndsWithItem,     // the item text is ready for EmitItem
  DirectiveEndsWithoutItem,  // a lasting attribute letter
};

struct DIRECTIVE_ROW;
typedef DIRECTIVE_STEP (*DIRECTIVE_ACTION)(FORMAT_STATE *State, const DIRECTIVE_ROW &Row);

struct DIRECTIVE_ROW {
  CHAR16 Letter;
  DIRECTIVE_ACTION Act;
  UINTN FORMAT_STATE::*Attribute;  // the attribute letters only
};

UINT64 TakeValue(FORMAT_STATE *State) {
  if (State->Args.Next == State->Args.End) {
    return 0;
  }
  return *State->Args.Next++;
}

DIRECTIVE_STEP ScratchItem(FORMAT_STATE *State) {
  State->Item->Reader.Text = State->Item->Scratch;
  return DirectiveEndsWithItem;
}

DIRECTIVE_STEP SingleCharacterItem(FORMAT_STATE *State, CHAR16 Character) {
  State->Item->Scratch[0] = Character;
  State->Item->Scratch[1] = 0;
  return ScratchItem(State);
}

DIRECTIVE_STEP WideStringItem(FORMAT_STATE *State, const CHAR16 *String) {
  State->Item->Reader.Text = String != nullptr ? String : NullText;
  State->Item->RightAlign = FALSE;
  return DirectiveEndsWithItem;
}

DIRECTIVE_STEP UnknownLetter(FORMAT_STATE *State, const DIRECTIVE_ROW &) { return SingleCharacterItem(State, u'?'); }

DIRECTIVE_STEP PercentItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) { return SingleCharacterItem(State, u'%'); }

DIRECTIVE_STEP NumberFromValue(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  *State->Item->NumberTarget = TakeValue(State);
  return DirectiveGoesOn;
}

DIRECTIVE_STEP CommaFlag(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  State->Item->Comma = TRUE;
  return DirectiveGoesOn;
}

DIRECTIVE_STEP LeftAlignFlag(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  State->Item->RightAlign = FALSE;
  return DirectiveGoesOn;
}

DIRECTIVE_STEP PrecisionFlag(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  State->Item->NumberTarget = &State->Item->Precision;
  return DirectiveGoesOn;
}

// A '0' never begins a number: ".0" is zero fill, not a precision of zero.
DIRECTIVE_STEP ZeroFillFlag(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  State->Item->Pad = u'0';
  return DirectiveGoesOn;
}

DIRECTIVE_STEP LongFlag(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  State->Item->Long = TRUE;
  return DirectiveGoesOn;
}

DIRECTIVE_STEP AsciiStringItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  const CHAR8 *String = reinterpret_cast<const CHAR8 *>(TakeValue(State));
  State->Item->Reader.Text = String != nullptr ? String : NullText8;
  State->Item->Reader.Is8Bit = TRUE;
  State->Item->RightAlign = FALSE;
  return DirectiveEndsWithItem;
}

DIRECTIVE_STEP StringItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  return WideStringItem(State, reinterpret_cast<const CHAR16 *>(TakeValue(State)));
}

DIRECTIVE_STEP CharacterItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  return SingleCharacterItem(State, static_cast<CHAR16>(TakeValue(State)));
}

DIRECTIVE_STEP DecimalItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  DecimalToText(State->Item->Scratch, State->Item->Comma, static_cast<INT64>(TakeValue(State)));
  return ScratchItem(State);
}

DIRECTIVE_STEP HexItem(FORMAT_STATE *State, const DIRECTIVE_ROW &) {
  HexToText(State->Item->Scratch, TakeValue(State));
  return ScratchItem(State);
}

// Replaces any width given before it.
DIRECTIVE_STEP FixedWidthHexItem(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  State->Item->Pad = u'0';
  State->Item->Width = State->Item->Long ? 16 : 8;
  return HexItem(State, Row);
}

// A null pointer prints "(null)" in the field, as 's' does: there is no GUID
// to render.
DIRECTIVE_STEP GuidItem(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  const EFI_GUID *Value = reinterpret_cast<const EFI_GUID *>(TakeValue(State));
  if (Value == nullptr) {
    return WideStringItem(State, nullptr);
  }
  if (ItemRenderers.Guid == nullptr) {
    return UnknownLetter(State, Row);
  }
  ItemRenderers.Guid(State->Item->Scratch, Value);
  return ScratchItem(State);
}

DIRECTIVE_STEP TimeItem(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  if (ItemRenderers.Time == nullptr) {
    return UnknownLetter(State, Row);
  }
  ItemRenderers.Time(State->Item->Scratch, reinterpret_cast<const EFI_TIME *>(TakeValue(State)));
  return ScratchItem(State);
}

DIRECTIVE_STEP StatusItem(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  if (ItemRenderers.Status == nullptr) {
    return UnknownLetter(State, Row);
  }
  ItemRenderers.Status(State->Item->Scratch, TakeValue(State));
  return ScratchItem(State);
}

// The attribute lasts for the item that ends this directive; the one it
// replaced comes back after it.
DIRECTIVE_STEP ItemAttribute(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  ChangeAttribute(State, State->*Row.Attribute);
  return DirectiveGoesOn;
}

// Holds for the rest of the output. The buffer destinations have no
// attributes, and there the letter does nothing.
DIRECTIVE_STEP LastingAttribute(FORMAT_STATE *State, const DIRECTIVE_ROW &Row) {
  UINTN Attribute = State->*Row.Attribute;
  if (Attribute == 0) {
    return DirectiveGoesOn;
  }
  ChangeAttribute(State, Attribute);
  State->RestoreAttribute = 0;
  return DirectiveEndsWithoutItem;
}

constexpr DIRECTIVE_ROW DirectiveTable[] = {
    {u'%', PercentItem, nullptr},
    {u'*', NumberFromValue, nullptr},
    {u',', CommaFlag, nullptr},
    {u'-', LeftAlignFlag, nullptr},
    {u'.', PrecisionFlag, nullptr},
    {u'0', ZeroFillFlag, nullptr},
    {u'l', LongFlag, nullptr},
    {u'a', AsciiStringItem, nullptr},
    {u's', StringItem, nullptr},
    {u'c', CharacterItem, nullptr},
    {u'd', DecimalItem, nullptr},
    {u'x', HexItem, nullptr},
    {u'X', FixedWidthHexItem, nullptr},
    {u'g', GuidItem, nullptr},
    {u't', TimeItem, nullptr},
    {u'r', StatusItem, nullptr},
    {u'n', ItemAttribute, &FORMAT_STATE::AttrNormal},
    {u'h', ItemAttribute, &FORMAT_STATE::AttrHighlight},
    {u'e', ItemAttribute, &FORMAT_STATE::AttrError},
    {u'b', ItemAttribute, &FORMAT_STATE::AttrBlue},
    {u'v', ItemAttribute, &FORMAT_STATE::AttrGreen},
    {u'N', LastingAttribute, &FORMAT_STATE::AttrNormal},
    {u'H', LastingAttribute, &FORMAT_STATE::AttrHighlight},
    {u'E', LastingAttribute, &FORMAT_STATE::AttrError},
    {u'B', LastingAttribute, &FORMAT_STATE::AttrBlue},
    {u'V', LastingAttribute, &FORMAT_STATE::AttrGreen},
};

constexpr DIRECTIVE_ROW UnknownRow = {0, UnknownLetter, nullptr};

const DIRECTIVE_ROW &FindDirective(CHAR16 Letter) {
  for (const DIRECTIVE_ROW &Row : DirectiveTable) {
    if (Row.Letter == Letter) {
      return Row;
    }
  }
  return UnknownRow;
}

bool IsDigit(CHAR16 Character) { return Character >= u'0' && Character <= u'9'; }

// The digits from First on set the number at NumberTarget. The character
// after them is read again as the directive's next.
VOID ReadNumber(FORMAT_STATE *State, CHAR16 First) {
  UINTN Number = 0;
  CHAR16 Character = First;
  do {
    Number = Number * 10 + (Character - u'0');
    Character = ReadNextChar(&State->Format);
  } while (IsDigit(Character));
  State->Format.Position--;
  *State->Item->NumberTarget = Number;
}

VOID ResetItem(FORMAT_STATE *State) {
  FORMAT_ITEM *Item = State->Item;
  Item->Width = 0;
  Item->Precision = PrecisionNotGiven;
  Item->NumberTarget = &Item->Width;
  Item->RightAlign = TRUE;
  Item->Comma = FALSE;
  Item->Long = FALSE;
  Item->Reader.Is8Bit = FALSE;
  Item->Pad = u' ';
  Item->Reader.Text = nullptr;
  State->RestoreAttribute = 0;
}

// Reads one directive after its '%'. False when the format ended inside it,
// which ends the formatting as well.
bool RunDirective(FORMAT_STATE *State) {
  ResetItem(State);
  DIRECTIVE_STEP Step = DirectiveGoesOn;
  bool FormatEnded = false;
  while (Step == DirectiveGoesOn) {
    CHAR16 Character = ReadNextChar(&State->Format);
    if (Character == 0) {
      FormatEnded = true;
      break;
    }
    if (Character >= u'1' && Character <= u'9') {
      ReadNumber(State, Character);
      continue;
    }
    const DIRECTIVE_ROW &Row = FindDirective(Character);
    Step = Row.Act(State, Row);
  }
  if (Step == DirectiveEndsWithItem) {
    EmitItem(State);
  }
  if (State->RestoreAttribute != 0) {
    ChangeAttribute(State, State->RestoreAttribute);
  }
  return !FormatEnded;
}

VOID EmitCopies(FORMAT_STATE *State, CHAR16 Character, UINTN Copies) {
  while (Copies-- > 0) {
    EmitChar(State, Character);
  }
}

}  // namespace

CHAR16 ReadNextChar(TEXT_READER *Reader) {
  UINTN Position = Reader->Position++;
  if (Reader->Is8Bit) {
    return static_cast<UINT8>(static_cast<const CHAR8 *>(Reader->Text)[Position]);
  }
  return static_cast<const CHAR16 *>(Reader->Text)[Position];
}

VOID EmitItem(FORMAT_STATE *State) {
  FORMAT_ITEM *Item = State->Item;
  Item->Reader.Position = 0;
  UINTN Length = 0;
  while (Length < Item->Precision && ReadNextChar(&Item->Reader) != 0) {
    Length++;
  }
  if (Item->Precision == PrecisionNotGiven) {
    Item->Precision = Length;
  }
  if (Item->Width < Length) {
    Item->Width = Length;
  }
  // The precision's space fill goes on the side the alignment names; the
  // width's fill always stands in front.
  UINTN SpaceFill = Item->Precision > Item->Width ? Item->Precision - Item->Width : 0;
  if (Item->RightAlign) {
    EmitCopies(State, u' ', SpaceFill);
  }
  EmitCopies(State, Item->Pad, Item->Width - Length);
  Item->Reader.Position = 0;
  for (UINTN Index = 0; Index < Length; Index++) {
    EmitChar(State, ReadNextChar(&Item->Reader));
  }
  if (!Item->RightAlign) {
    EmitCopies(State, u' ', SpaceFill);
  }
}

UINTN RunFormat(FORMAT_STATE *State) {
  if (PageBreakState.Quit && IsConsoleDestination(State)) {
    return 0;
  }
  CHAR16 *Scratch = static_cast<CHAR16 *>(PoolAllocateZero(FormatScratchUnits * sizeof(CHAR16)));
  if (Scratch == nullptr) {
    return EFI_OUT_OF_RESOURCES;
  }
  CHAR16 *Block = static_cast<CHAR16 *>(PoolAllocateZero(FormatBufferUnits * sizeof(CHAR16)));
  if (Block == nullptr) {
    PoolFree(Scratch);
    return EFI_OUT_OF_RESOURCES;
  }
  FORMAT_ITEM Item = {};
  Item.Scratch = Scratch;
  State->Count = 0;
  State->BufferStart = State->Cursor = Block + FormatBufferStartUnit;
  State->BufferEnd = Block + FormatBufferEndUnit;
  State->Format.Position = 0;
  State->Item = &Item;

  for (;;) {
    CHAR16 Character = ReadNextChar(&State->Format);
    if (Character == 0) {
      break;
    }
    if (Character != u'%') {
      EmitChar(State, Character);
    } else if (!RunDirective(State)) {
      break;
    }
  }

  FlushOutput(State);
  State->Item = nullptr;
  PoolFree(Scratch);
  PoolFree(Block);
  return State->Count;
}
