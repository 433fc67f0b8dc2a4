// Binding a firmware collation during AttachRuntime: which instance is
// bound, which protocols are looked up and opened, and the pool ledger on
// every path.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/RuntimeServices.h"
#include "runtime/BuiltinCollation.h"
#include "runtime/CollationBinding.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/runtime/ExactString.h"

namespace fake {
namespace {

const EFI_GUID *const Uc2 = &EfiUnicodeCollation2ProtocolGuid;
const EFI_GUID *const Uc = &EfiUnicodeCollationProtocolGuid;

struct OpenRecord {
  EFI_HANDLE Handle;
  const EFI_GUID *Protocol;
  EFI_HANDLE Agent;
  EFI_HANDLE Controller;
  UINT32 Attributes;
};

// OpenProtocol as the fake does it, recorded, and refused for chosen handles.
EFI_OPEN_PROTOCOL PlainOpenProtocol = nullptr;
std::vector<OpenRecord> Opens;
std::set<EFI_HANDLE> Refused;

EFI_STATUS EFIAPI RecordingOpenProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface,
                                        EFI_HANDLE Agent, EFI_HANDLE Controller, UINT32 Attributes) {
  Opens.push_back({Handle, Protocol, Agent, Controller, Attributes});
  if (Refused.count(Handle) != 0) {
    return EFI_ACCESS_DENIED;
  }
  return PlainOpenProtocol(Handle, Protocol, Interface, Agent, Controller, Attributes);
}

struct InstanceSetup {
  const EFI_GUID *Protocol;
  const char *Languages;  // null: an instance without a language list
  bool Refused = false;   // its open fails
};

// A fresh firmware with collation instances on handles of their own.
struct CollationWorld {
  FakeFirmware Firmware;
  std::vector<std::unique_ptr<ExactString>> Lists;
  std::vector<std::unique_ptr<EFI_UNICODE_COLLATION_PROTOCOL>> Instances;
  std::vector<EFI_HANDLE> Handles;

  explicit CollationWorld(const std::vector<InstanceSetup> &Setups = {}) {
    Opens.clear();
    Refused.clear();
    PlainOpenProtocol = Firmware.BootServices.OpenProtocol;
    Firmware.BootServices.OpenProtocol = RecordingOpenProtocol;
    AddInstances(Setups);
  }

  // Each instance on a handle of its own, in the order given.
  void AddInstances(const std::vector<InstanceSetup> &Setups) {
    for (const InstanceSetup &Setup : Setups) {
      auto Instance = std::make_unique<EFI_UNICODE_COLLATION_PROTOCOL>();
      if (Setup.Languages != nullptr) {
        Lists.push_back(std::make_unique<ExactString>(Setup.Languages));
        Instance->SupportedLanguages = Lists.back()->Get();
      }
      Handles.push_back(Firmware.NewHandle());
      Firmware.Install(Handles.back(), *Setup.Protocol, Instance.get());
      if (Setup.Refused) {
        Refused.insert(Handles.back());
      }
      Instances.push_back(std::move(Instance));
    }
  }
  void SetVariable(const std::u16string &Name, const std::string &Value) {
    Firmware.SetVariable(Name, EfiGlobalVariableGuid, Value);
  }
  // The index of the bound instance, -1 while the built-in one is in force.
  int Bound() const {
    for (size_t Index = 0; Index < Instances.size(); Index++) {
      if (RuntimeContext.Collation == Instances[Index].get()) {
        return static_cast<int>(Index);
      }
    }
    EXPECT_EQ(RuntimeContext.Collation, &BuiltinCollation);
    return -1;
  }
};

TEST(CollationBinding, BindsAUnicodeCollation2InstanceForThePlatformLanguage) {
  CollationWorld World({{Uc2, "en-US;fr-FR"}, {Uc, "engfra"}});
  World.SetVariable(u"PlatformLang", "fr-FR");
  AttachRuntime(World.Firmware.ImageHandle, &World.Firmware.SystemTable);
  EXPECT_EQ(World.Bound(), 0);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 1u);
  ASSERT_EQ(Opens.size(), 1u);
  EXPECT_EQ(Opens[0].Handle, World.Handles[0]);
  EXPECT_EQ(Opens[0].Protocol, Uc2);
  EXPECT_EQ(Opens[0].Agent, World.Firmware.ImageHandle);
  EXPECT_EQ(Opens[0].Controller, nullptr);
  EXPECT_EQ(Opens[0].Attributes, EFI_OPEN_PROTOCOL_GET_PROTOCOL);
  EXPECT_TRUE(World.Firmware.PoolBalanced());
}

struct BindCase {
  const char *Name;
  std::vector<InstanceSetup> Instances;
  const char *PlatformLang;  // null: absent
  const char *Lang;          // null: absent
  int WantBound;
  unsigned WantLocates;  // LocateHandleBuffer calls: 2 when the older protocol was tried
  unsigned WantOpens;
  EFI_STATUS FailFirstLocate = EFI_SUCCESS;
};

const BindCase BindCases[] = {
    {"no instance anywhere: the built-in stays", {}, "en-US", "eng", -1, 2, 0},
    {"an instance that fails to open is passed over", {{Uc2, "en-US", true}, {Uc2, "en-US"}}, nullptr, nullptr, 1,
     1, 2},
    {"first supporting instance in handle order", {{Uc2, "de-DE"}, {Uc2, "en-GB;en-US"}, {Uc2, "en-US"}}, nullptr,
     nullptr, 1, 1, 2},
    {"an instance without a language list is passed over", {{Uc2, nullptr}, {Uc2, "en-US"}}, nullptr, nullptr, 1, 1,
     2},
    {"Unicode Collation 2 opened but unsupported: the older protocol is not tried",
     {{Uc2, "de-DE"}, {Uc, "engfra"}}, nullptr, nullptr, -1, 1, 1},
    {"last Unicode Collation 2 open fails: the older protocol is tried",
     {{Uc2, "de-DE"}, {Uc2, "en-US", true}, {Uc, "engfra"}}, nullptr, nullptr, 2, 2, 3},
    {"no Unicode Collation 2: the older one with \"Lang\"", {{Uc, "deufra"}}, "de-DE", "fra", 0, 2, 1},
    {"no Unicode Collation 2: the older one with the default", {{Uc, "fraeng"}}, nullptr, nullptr, 0, 2, 1},
    {"the older one without a supported language", {{Uc, "deufra"}}, nullptr, nullptr, -1, 2, 1},
    {"the mode follows the protocol: an ISO list under Unicode Collation 2", {{Uc2, "fraeng"}}, nullptr, nullptr,
     -1, 1, 1},
    {"the older protocol's only instance fails to open", {{Uc, "engfra", true}}, nullptr, nullptr, -1, 2, 1},
    {"Unicode Collation 2 lookup fails: the older protocol is tried", {{Uc2, "en-US"}, {Uc, "engfra"}}, nullptr,
     nullptr, 1, 2, 1, EFI_OUT_OF_RESOURCES},
};

TEST(CollationBinding, ChoosesByProtocolLanguageAndOpenStatus) {
  for (const BindCase &C : BindCases) {
    SCOPED_TRACE(C.Name);
    CollationWorld World(C.Instances);
    if (C.PlatformLang != nullptr) World.SetVariable(u"PlatformLang", C.PlatformLang);
    if (C.Lang != nullptr) World.SetVariable(u"Lang", C.Lang);
    if (IsError(C.FailFirstLocate)) World.Firmware.FailCall(Service::LocateHandleBuffer, 1, C.FailFirstLocate);

    AttachRuntime(World.Firmware.ImageHandle, &World.Firmware.SystemTable);
    EXPECT_EQ(World.Bound(), C.WantBound);
    EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), C.WantLocates);
    EXPECT_EQ(Opens.size(), C.WantOpens);
    EXPECT_TRUE(World.Firmware.PoolBalanced());
  }
}

TEST(CollationBinding, BindCollationProtocolStatusIsTheLastOpens) {
  struct Case {
    const char *Name;
    std::vector<InstanceSetup> Instances;
    EFI_STATUS Want;
    int WantBound;
  };
  const Case Cases[] = {
      {"no handle", {}, EFI_NOT_FOUND, -1},
      {"the only open fails", {{Uc2, "en-US", true}}, EFI_ACCESS_DENIED, -1},
      {"opened, language unsupported", {{Uc2, "de-DE"}}, EFI_SUCCESS, -1},
      {"opened, then a failed open", {{Uc2, "de-DE"}, {Uc2, "en-US", true}}, EFI_ACCESS_DENIED, -1},
      {"a failed open, then one opened but unsupported", {{Uc2, "en-US", true}, {Uc2, "de-DE"}}, EFI_SUCCESS, -1},
      {"bound after a failed open", {{Uc2, "en-US", true}, {Uc2, "en-US"}}, EFI_SUCCESS, 1},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    CollationWorld World(C.Instances);
    AttachRuntime(nullptr, &World.Firmware.SystemTable);
    EXPECT_EQ(BindCollationProtocol(World.Firmware.ImageHandle, Uc2), C.Want);
    EXPECT_EQ(World.Bound(), C.WantBound);
    EXPECT_TRUE(World.Firmware.PoolBalanced());
  }
}

TEST(CollationBinding, AttachRuntimeBindsOnlyWithAnImageHandleAndOnlyOnce) {
  CollationWorld World({{Uc2, "en-US"}});
  EFI_HANDLE Image = World.Firmware.ImageHandle;
  EFI_SYSTEM_TABLE *Table = &World.Firmware.SystemTable;

  AttachRuntime(nullptr, Table);
  EXPECT_EQ(World.Bound(), -1);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 0u);
  EXPECT_EQ(World.Firmware.Calls(Service::GetVariable), 0u);

  // The binding step is taken on every call, past the once-only block.
  AttachRuntime(Image, Table);
  EXPECT_EQ(World.Bound(), 0);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 1u);

  // Once bound, nothing more is looked up, even with a better instance.
  World.AddInstances({{Uc2, "en-US"}});
  AttachRuntime(Image, Table);
  EXPECT_EQ(World.Bound(), 0);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 1u);
  EXPECT_EQ(Opens.size(), 1u);
  EXPECT_TRUE(World.Firmware.PoolBalanced());
}

TEST(CollationBinding, RetriesOnALaterCallWhileNothingIsBound) {
  CollationWorld World;
  AttachRuntime(World.Firmware.ImageHandle, &World.Firmware.SystemTable);
  EXPECT_EQ(World.Bound(), -1);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 2u);
  World.AddInstances({{Uc, "eng"}});
  AttachRuntime(World.Firmware.ImageHandle, &World.Firmware.SystemTable);
  EXPECT_EQ(World.Bound(), 0);
  EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), 4u);
}

TEST(CollationBinding, KeepsThePoolBalancedWhenAllocationsFail) {
  // Allocations in order: the handle list, the variable's block, the copy
  // of the matched code.
  struct Case {
    const char *Name;
    unsigned FailAllocation;
    int WantBound;
    unsigned WantLocates;
  };
  const Case Cases[] = {
      {"handle list: the older protocol is tried", 1, -1, 2},
      {"variable block: the default decides", 2, 0, 1},
      {"copy of the code: no match, the open's success stands", 3, -1, 1},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Name);
    CollationWorld World({{Uc2, "en-US;fr-FR"}, {Uc, "fra"}});
    World.SetVariable(u"PlatformLang", "fr-FR");
    World.Firmware.FailAllocation(C.FailAllocation);
    AttachRuntime(World.Firmware.ImageHandle, &World.Firmware.SystemTable);
    EXPECT_EQ(World.Bound(), C.WantBound);
    EXPECT_EQ(World.Firmware.Calls(Service::LocateHandleBuffer), C.WantLocates);
    EXPECT_TRUE(World.Firmware.PoolBalanced());
  }
}

}  // namespace
}  // namespace fake
