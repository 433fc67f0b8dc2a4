// Language selection against the fake firmware's variables: the language
// lists and candidates sit in blocks of their exact size, so a scan past a
// terminator fails under AddressSanitizer.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/RuntimeServices.h"
#include "runtime/Language.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "runtime/Variables.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/runtime/ExactString.h"

namespace fake {
namespace {

constexpr BOOLEAN Iso639 = TRUE;
constexpr BOOLEAN Rfc4646 = FALSE;

struct LanguageTest : ::testing::Test {
  FakeFirmware Firmware;
  void SetUp() override { AttachRuntime(nullptr, &Firmware.SystemTable); }

  void SetLanguageVariable(BOOLEAN Iso639Mode, const std::string &Value) {
    Firmware.SetVariable(Iso639Mode ? u"Lang" : u"PlatformLang", EfiGlobalVariableGuid, Value);
  }
};

// The code as a string, its block freed; nullopt for no code.
std::optional<std::string> Take(CHAR8 *Code) {
  if (Code == nullptr) {
    return std::nullopt;
  }
  std::string Text(Code);
  PoolFree(Code);
  return Text;
}

struct SelectCase {
  const char *Name;
  BOOLEAN Iso639Mode;
  std::string List;
  std::optional<std::string> Variable;  // the mode's variable; nullopt when absent
  const char *Language;                  // the code handed in, or null
  std::optional<std::string> Want;
};

const std::string Unterminated100 = "zh-Hant-" + std::string(92, 'A');
const std::string LongCode100(100, 'q');

const SelectCase SelectCases[] = {
    // RFC 4646, from "PlatformLang".
    {"exact code", Rfc4646, "en-US;fr-FR", "fr-FR", nullptr, "fr-FR"},
    {"value with its terminating zero", Rfc4646, "en-US;fr-FR", std::string("fr-FR\0", 6), nullptr, "fr-FR"},
    {"shortened to the primary subtag", Rfc4646, "en-US;fr-FR", "fr-CA", nullptr, "fr-FR"},
    {"no variable: the default", Rfc4646, "en-US;fr-FR", std::nullopt, nullptr, "en-US"},
    {"empty variable: the default", Rfc4646, "en-US;fr-FR", "", nullptr, "en-US"},
    {"neither matches", Rfc4646, "de-DE", std::nullopt, nullptr, std::nullopt},
    {"bytes compared case-sensitively", Rfc4646, "en-US", "EN-us", nullptr, "en-US"},
    {"first entry that begins with the prefix", Rfc4646, "eng;en-US", "en", nullptr, "eng"},
    {"one shortening", Rfc4646, "zh-Hant", "zh-Hant-TW", nullptr, "zh-Hant"},
    {"longer prefix before list order", Rfc4646, "zh;zh-Hant", "zh-Hant-TW", nullptr, "zh-Hant"},
    {"entry shorter than the prefix passed over", Rfc4646, "fr;fr-FR", "fr-FR", nullptr, "fr-FR"},
    {"only the first element of a list candidate", Rfc4646, ";;de-DE;;en-GB;", "en-US;fr", nullptr, "en-GB"},
    {"a '-' at position 0 never shortens", Rfc4646, "-;en-US", "-x", nullptr, "en-US"},
    // ISO 639-2, from "Lang".
    {"three-letter code", Iso639, "engfra", "fra", nullptr, "fra"},
    {"no variable: eng", Iso639, "fraeng", std::nullopt, nullptr, "eng"},
    {"two-letter prefix", Iso639, "engfra", "fr", nullptr, "fra"},
    {"longer value cut to three", Iso639, "engfra", "francais", nullptr, "fra"},
    {"case-sensitive", Iso639, "engfra", "FRA", nullptr, "eng"},
    {"7-byte list: the fragment matches nothing", Iso639, "fraengd", "d", nullptr, "eng"},
    {"5-byte list: a prefix of the fragment", Iso639, "fraen", "en", nullptr, std::nullopt},
    // A code handed in: validated, then the only candidate.
    {"given code shortened", Rfc4646, "en-US;fr-FR", "en-US", "fr-BE", "fr-FR"},
    {"given code rejected", Rfc4646, "engl;en-US", "en-US", "engl", std::nullopt},
    {"given ISO code", Iso639, "engfra", "eng", "fra", "fra"},
    {"given ISO code rejected", Iso639, "Engeng", "eng", "Eng", std::nullopt},
    // Values that fill their block: bounded by the size read.
    {"unterminated 100-byte value", Rfc4646, "zh-Hant", Unterminated100, nullptr, "zh-Hant"},
    {"unterminated 100-byte value, whole", Rfc4646, "en-US;" + LongCode100, LongCode100, nullptr, LongCode100},
    {"unterminated 150-byte value", Rfc4646, "en-US;fr-FR", "fr-" + std::string(147, 'x'), nullptr, "fr-FR"},
    {"unterminated 100-byte ISO value", Iso639, "engfra", "fra" + std::string(97, 'x'), nullptr, "fra"},
};

TEST_F(LanguageTest, SelectLanguageFollowsTheVariableThenTheDefault) {
  for (const SelectCase &C : SelectCases) {
    SCOPED_TRACE(C.Name);
    Firmware.Variables.clear();
    // The other mode's variable would select something else: it must not be read.
    SetLanguageVariable(!C.Iso639Mode, C.Iso639Mode ? "fr-FR" : "fra");
    if (C.Variable) {
      SetLanguageVariable(C.Iso639Mode, *C.Variable);
    }
    ExactString List(C.List);
    std::optional<ExactString> Language;
    if (C.Language != nullptr) {
      Language.emplace(C.Language);
    }
    std::optional<std::string> Got =
        Take(SelectLanguage(List.Get(), C.Iso639Mode, Language ? Language->Get() : nullptr));
    EXPECT_EQ(Got, C.Want);
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

TEST(SelectLanguage, SurvivesAllocationFailures) {
  struct Case {
    const char *Name;
    std::optional<std::string> Variable;
    unsigned FailAllocation;
    std::optional<std::string> Want;
  };
  const Case Cases[] = {
      {"variable block: the default decides", "fr-FR", 1, "en-US"},
      {"grown variable block: the default decides", "fr-" + std::string(147, 'x'), 2, "en-US"},
      {"copy of the match", "fr-FR", 2, std::nullopt},
      {"copy of the default's match", std::nullopt, 2, std::nullopt},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    FakeFirmware Fresh;
    AttachRuntime(nullptr, &Fresh.SystemTable);
    if (C.Variable) {
      Fresh.SetVariable(u"PlatformLang", EfiGlobalVariableGuid, *C.Variable);
    }
    Fresh.FailAllocation(C.FailAllocation);
    ExactString List("en-US;fr-FR");
    EXPECT_EQ(Take(SelectLanguage(List.Get(), Rfc4646, nullptr)), C.Want);
    EXPECT_TRUE(Fresh.PoolBalanced());
  }
}

TEST_F(LanguageTest, MatchLanguageTakesCandidatesInOrder) {
  struct Case {
    const char *Name;
    BOOLEAN Iso639Mode;
    std::vector<std::string> Candidates;
    std::optional<std::string> Want;
  };
  const Case Cases[] = {
      {"first candidate wins over a better later one", Rfc4646, {"de-AT", "en-GB"}, "de-DE"},
      {"empty candidate skipped", Rfc4646, {"", "en-GB"}, "en-GB"},
      {"no candidates", Rfc4646, {}, std::nullopt},
      {"none matches", Rfc4646, {"it-IT", "es"}, std::nullopt},
      {"a prefix returns the whole entry", Rfc4646, {"en"}, "en-GB"},
      {"ISO: next candidate", Iso639, {"ita", "deu"}, "deu"},
  };
  ExactString RfcList("en-GB;de-DE");
  ExactString IsoList("engdeu");
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    std::vector<ExactString> Storage;
    std::vector<const CHAR8 *> Candidates;
    for (const std::string &Candidate : C.Candidates) {
      Storage.emplace_back(Candidate);
    }
    for (const ExactString &Candidate : Storage) {
      Candidates.push_back(Candidate.Get());
    }
    Candidates.push_back(nullptr);
    const CHAR8 *List = C.Iso639Mode ? IsoList.Get() : RfcList.Get();
    EXPECT_EQ(Take(MatchLanguage(List, C.Iso639Mode, Candidates.data())), C.Want);
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

TEST_F(LanguageTest, MatchLanguageCopiesTheEntryIntoAZeroFilledBlock) {
  ExactString List("xx;en-GB;fr");
  const CHAR8 *Candidates[] = {"en", nullptr};
  CHAR8 *Code = MatchLanguage(List.Get(), Rfc4646, Candidates);
  ASSERT_NE(Code, nullptr);
  EXPECT_EQ(Firmware.OutstandingBlocks().at(Code).Size, 6u);
  EXPECT_EQ(std::string(Code, 6), std::string("en-GB\0", 6));
  PoolFree(Code);
}

TEST_F(LanguageTest, MatchLanguageGivesUpAtOnceWhenTheCopyFails) {
  ExactString List("en-GB;de-DE");
  const CHAR8 *Candidates[] = {"de-DE", "en-GB", nullptr};
  Firmware.FailAllocation(1);
  EXPECT_EQ(MatchLanguage(List.Get(), Rfc4646, Candidates), nullptr);
  EXPECT_EQ(Firmware.Calls(Service::AllocatePool), 1u);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST_F(LanguageTest, NoListSelectsNothing) {
  SetLanguageVariable(Rfc4646, "en-US");
  EXPECT_EQ(SelectLanguage(nullptr, Rfc4646, nullptr), nullptr);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST(ValidateLanguageCode, AcceptsWellFormedCodesForTheMode) {
  struct Case {
    const char *Code;
    BOOLEAN Iso639Mode;
    bool Want;
  };
  const Case Cases[] = {
      {"en-US", Rfc4646, true},   {"EN", Rfc4646, true},      {"e-x", Rfc4646, true},
      {"123", Rfc4646, true},     {"i-klingon", Rfc4646, true}, {"zh-Hant-TW", Rfc4646, true},
      {"fra", Rfc4646, true},     {"e", Rfc4646, false},      {"engl", Rfc4646, false},
      {"engl-US", Rfc4646, false}, {"eX", Rfc4646, false},     {"ab-", Rfc4646, true},
      {"", Rfc4646, false},       {"eng", Iso639, true},      {"en", Iso639, false},
      {"Eng", Iso639, false},     {"engl", Iso639, false},    {"en1", Iso639, false},
      {"", Iso639, false},
  };
  for (const Case &C : Cases) {
    ExactString Code(C.Code);
    EXPECT_EQ(ValidateLanguageCode(Code.Get(), C.Iso639Mode), C.Want ? TRUE : FALSE)
        << "'" << C.Code << "' in " << (C.Iso639Mode ? "ISO 639-2" : "RFC 4646") << " mode";
  }
}

TEST(ReadVariable, GrowsItsBlockAndReportsTheSize) {
  struct Case {
    const char *Name;
    std::optional<std::string> Value;
    EFI_STATUS FirstCallStatus;  // 0: no failure injected
    UINTN WantSize;
    unsigned WantCalls;
    size_t WantBlock;  // 0: no block
  };
  const Case Cases[] = {
      {"short value in the first guess", std::string("en-US\0", 6), 0, 6, 1, 100},
      {"exactly the first guess", std::string(100, 'a'), 0, 100, 1, 100},
      {"longer value: a second call", std::string(150, 'a'), 0, 150, 2, 150},
      {"absent", std::nullopt, 0, 0, 1, 0},
      {"unreadable", "en-US", EFI_DEVICE_ERROR, 0, 1, 0},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    FakeFirmware Fresh;
    AttachRuntime(nullptr, &Fresh.SystemTable);
    if (C.Value) {
      Fresh.SetVariable(u"PlatformLang", EfiGlobalVariableGuid, *C.Value);
    }
    if (C.FirstCallStatus != 0) {
      Fresh.FailCall(Service::GetVariable, 1, C.FirstCallStatus);
    }
    UINTN Size = 12345;
    VOID *Block = ReadVariable(u"PlatformLang", &EfiGlobalVariableGuid, &Size);
    EXPECT_EQ(Size, C.WantSize);
    EXPECT_EQ(Fresh.Calls(Service::GetVariable), C.WantCalls);
    if (C.WantBlock == 0) {
      EXPECT_EQ(Block, nullptr);
    } else {
      ASSERT_NE(Block, nullptr);
      ASSERT_EQ(Fresh.OutstandingBlocks().at(Block).Size, C.WantBlock);
      std::string Want = *C.Value + std::string(C.WantBlock - C.Value->size(), '\0');
      EXPECT_EQ(std::string(static_cast<const char *>(Block), C.WantBlock), Want);
      PoolFree(Block);
    }
    EXPECT_TRUE(Fresh.PoolBalanced());
  }
}

TEST_F(LanguageTest, ReadVariableWithoutMemoryReturnsNothing) {
  Firmware.SetVariable(u"PlatformLang", EfiGlobalVariableGuid, "en-US");
  Firmware.FailAllocation(1);
  UINTN Size = 7;
  EXPECT_EQ(ReadVariable(u"PlatformLang", &EfiGlobalVariableGuid, &Size), nullptr);
  EXPECT_EQ(Size, 0u);
  EXPECT_EQ(Firmware.Calls(Service::GetVariable), 0u);
  EXPECT_TRUE(Firmware.PoolBalanced());
}

TEST_F(LanguageTest, ReadLanguageVariableReadsTheModesGlobalVariable) {
  Firmware.SetVariable(u"Lang", EfiGlobalVariableGuid, "fra");
  Firmware.SetVariable(u"PlatformLang", EfiGlobalVariableGuid, "fr-FR");
  // Same names under another vendor GUID are not the global variables.
  const EFI_GUID OtherVendor = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
  Firmware.SetVariable(u"Lang", OtherVendor, "deu");
  EXPECT_EQ(Take(ReadLanguageVariable(Iso639)), "fra");
  UINTN Size = 0;
  EXPECT_EQ(Take(ReadLanguageVariable(Rfc4646, &Size)), "fr-FR");
  EXPECT_EQ(Size, 5u);
  Firmware.Variables.clear();
  EXPECT_EQ(ReadLanguageVariable(Iso639, &Size), nullptr);
  EXPECT_EQ(Size, 0u);
}

}  // namespace
}  // namespace fake
