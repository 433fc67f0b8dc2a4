// The legacy shell environment protocol, by member position. Only members 6,
// 13, 14, 17, 19 and 20 are used; the rest keep the layout.
#pragma once

#include "platform/EfiStatus.h"

inline constexpr EFI_GUID ShellEnvironmentProtocolGuid = {
    0x47C7B221, 0xC42A, 0x11D2, {0x8E, 0x57, 0x00, 0xA0, 0xC9, 0x69, 0x72, 0x3B}};

// Value of Signature that an acceptable environment carries.
inline constexpr EFI_GUID ShellEnvironmentSignatureGuid = {
    0xD2C18636, 0x40E5, 0x4EB5, {0xA3, 0x1B, 0x36, 0x69, 0x5F, 0xD4, 0x2C, 0x87}};

typedef CHAR16 *(EFIAPI *SHELLENV_GET_PROTOCOL_NAME)(const EFI_GUID *Protocol, BOOLEAN GenId);
typedef EFI_STATUS(EFIAPI *SHELLENV_STARTUP_CALL)(VOID);
typedef VOID(EFIAPI *SHELLENV_SET_FLAGS)(UINT32 Flags);
typedef UINT32(EFIAPI *SHELLENV_GET_FLAGS)(VOID);

struct SHELL_ENVIRONMENT {
  void *Member1;
  void *Member2;
  void *Member3;
  void *Member4;
  void *Member5;
  SHELLENV_GET_PROTOCOL_NAME GetProtocolName;
  void *Member7;
  void *Member8;
  void *Member9;
  void *Member10;
  void *Member11;
  void *Member12;
  EFI_GUID Signature;
  UINT32 MajorVersion;
  UINT32 MinorVersion;
  void *Member16;
  SHELLENV_STARTUP_CALL StartupCall;
  void *Member18;
  SHELLENV_SET_FLAGS SetFlags;
  SHELLENV_GET_FLAGS GetFlags;
};
static_assert(offsetof(SHELL_ENVIRONMENT, GetProtocolName) == 40);
static_assert(offsetof(SHELL_ENVIRONMENT, Signature) == 96);
static_assert(offsetof(SHELL_ENVIRONMENT, MajorVersion) == 112);
static_assert(offsetof(SHELL_ENVIRONMENT, StartupCall) == 128);
static_assert(offsetof(SHELL_ENVIRONMENT, SetFlags) == 144);
static_assert(offsetof(SHELL_ENVIRONMENT, GetFlags) == 152);
