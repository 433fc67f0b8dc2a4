// A fake firmware with pool and a shell environment that knows one GUID by
// name, and helpers that walk a path held at the end of its own block.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "devpath/DevicePathText.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "tests/devpath/DevicePathBytes.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/fake/FakeShell.h"

namespace devpath_test {

// A GUID the shell names, and one it does not.
inline constexpr EFI_GUID NamedGuid = {0x964E5B21, 0x6459, 0x11D2, {0x8E, 0x39, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}};
inline constexpr char16_t NamedGuidName[] = u"BlockIo";
inline constexpr EFI_GUID PlainGuid = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
#define PLAIN_GUID_TEXT u"12345678-9ABC-DEF0-0123-456789ABCDEF"

struct WalkResult {
  EFI_STATUS Status;
  std::u16string Text;
};

// Takes the string's text and frees its block.
inline std::u16string TakeText(POOL_STRING *String) {
  if (String->Str == nullptr) return u"";
  std::u16string Text(String->Str);
  EXPECT_EQ(Text.size(), String->Length) << "the text must be terminated at Length";
  PoolFree(String->Str);
  *String = {nullptr, 0, 0};
  return Text;
}

inline WalkResult Walk(const Bytes &Content) {
  TailBlock Block(Content);
  POOL_STRING String = {nullptr, 0, 0};
  EFI_STATUS Status = AppendDevicePathText(&String, Block.Path(), Block.Size());
  return {Status, TakeText(&String)};
}

struct DevicePathTest : ::testing::Test {
  fake::FakeFirmware Firmware;
  fake::FakeShellEnvironment Shell;

  void SetUp() override {
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    Shell.Names[fake::GuidKey(NamedGuid)] = NamedGuidName;
    Firmware.Install(Firmware.NewHandle(), ShellEnvironmentProtocolGuid, &Shell.Protocol);
  }
  void TearDown() override { EXPECT_TRUE(Firmware.PoolBalanced()); }
};

}  // namespace devpath_test
