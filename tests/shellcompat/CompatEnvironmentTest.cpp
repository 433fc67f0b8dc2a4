// The shell environment record: the members a legacy command calls.
#include <gtest/gtest.h>

#include <string>

#include "platform/ShellEnvironment.h"
#include "shellcompat/CompatEnvironment.h"
#include "shellcompat/ShellCompatState.h"

namespace {

std::u16string NameOf(const EFI_GUID &Guid) {
  CHAR16 *Name = CompatEnvironment.GetProtocolName(&Guid, FALSE);
  return Name == nullptr ? u"(null)" : Name;
}

TEST(CompatEnvironment, NamesWellKnownProtocolsAndNoOthers) {
  BuildCompatEnvironment();
  struct Case {
    EFI_GUID Guid;
    std::u16string Want;
  };
  const Case Cases[] = {
      {{0x2F707EBB, 0x4A1A, 0x11D4, {0x9A, 0x38, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}}, u"PciRootBridgeIo"},
      {{0x5B1B31A1, 0x9562, 0x11D2, {0x8E, 0x3F, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}}, u"LoadedImage"},
      {{0x09576E91, 0x6D3F, 0x11D2, {0x8E, 0x39, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}}, u"DevicePath"},
      {{0xA4C751FC, 0x23AE, 0x4C3E, {0x92, 0xE9, 0x49, 0x64, 0xCF, 0x63, 0xF3, 0x49}}, u"UnicodeCollation2"},
      {{0x47C7B221, 0xC42A, 0x11D2, {0x8E, 0x57, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}}, u"ShellEnvironment"},
      // One bit off a known GUID, in its last byte and in Data1.
      {{0x2F707EBB, 0x4A1A, 0x11D4, {0x9A, 0x38, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4C}}, u"(null)"},
      {{0x2F707EBA, 0x4A1A, 0x11D4, {0x9A, 0x38, 0x00, 0x90, 0x27, 0x3F, 0xC1, 0x4D}}, u"(null)"},
      {{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}}, u"(null)"},
  };
  for (const Case &C : Cases) {
    EXPECT_EQ(NameOf(C.Guid), C.Want);
  }
  // GenId asks for a made-up name; unknown GUIDs stay unnamed.
  EXPECT_EQ(CompatEnvironment.GetProtocolName(&Cases[5].Guid, TRUE), nullptr);
}

TEST(CompatEnvironment, KeepsOneFlagsWordAndAnswersEveryMember) {
  ShellCompat = ShellCompatStateAtLoad();
  BuildCompatEnvironment();
  EXPECT_EQ(CompatEnvironment.StartupCall(), EFI_SUCCESS);
  EXPECT_EQ(CompatEnvironment.GetFlags(), 0u);
  CompatEnvironment.SetFlags(0xFFFFFFFD);
  EXPECT_EQ(CompatEnvironment.GetFlags(), 0xFFFFFFFDu);

  // Members without a meaning here answer EFI_UNSUPPORTED instead of
  // sending a legacy command to address zero.
  void *Unused[] = {CompatEnvironment.Member1,  CompatEnvironment.Member2,  CompatEnvironment.Member3,
                    CompatEnvironment.Member4,  CompatEnvironment.Member5,  CompatEnvironment.Member7,
                    CompatEnvironment.Member8,  CompatEnvironment.Member9,  CompatEnvironment.Member10,
                    CompatEnvironment.Member11, CompatEnvironment.Member12, CompatEnvironment.Member16,
                    CompatEnvironment.Member18};
  for (void *Member : Unused) {
    ASSERT_NE(Member, nullptr);
    EXPECT_EQ(reinterpret_cast<EFI_STATUS(EFIAPI *)()>(Member)(), EFI_UNSUPPORTED);
  }
}

}  // namespace
