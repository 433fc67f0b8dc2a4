// Base types of the UEFI standard as this image uses them.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Firmware calls use the Microsoft x64 convention. The EFI target uses it by
// default; on a Linux host we ask for it explicitly, so host tests call
// through the same convention the firmware does.
#if defined(_WIN64)
#define EFIAPI
#else
#define EFIAPI __attribute__((ms_abi))
#endif

typedef uint8_t UINT8;
typedef uint16_t UINT16;
typedef uint32_t UINT32;
typedef uint64_t UINT64;
typedef int8_t INT8;
typedef int16_t INT16;
typedef int32_t INT32;
typedef int64_t INT64;
typedef uint64_t UINTN;
typedef int64_t INTN;
typedef unsigned char BOOLEAN;
typedef char CHAR8;
typedef char16_t CHAR16;
typedef void VOID;

static_assert(sizeof(void *) == 8, "x86-64 only");

constexpr BOOLEAN TRUE = 1;
constexpr BOOLEAN FALSE = 0;

typedef void *EFI_HANDLE;
typedef void *EFI_EVENT;
typedef UINTN EFI_TPL;
typedef UINT64 EFI_PHYSICAL_ADDRESS;

struct EFI_GUID {
  UINT32 Data1;
  UINT16 Data2;
  UINT16 Data3;
  UINT8 Data4[8];
};
static_assert(sizeof(EFI_GUID) == 16);

enum EFI_MEMORY_TYPE : UINT32 {
  EfiReservedMemoryType = 0,
  EfiLoaderCode = 1,
  EfiLoaderData = 2,
  EfiBootServicesCode = 3,
  EfiBootServicesData = 4,
  EfiRuntimeServicesCode = 5,
  EfiRuntimeServicesData = 6,
};

enum EFI_LOCATE_SEARCH_TYPE : UINT32 {
  AllHandles = 0,
  ByRegisterNotify = 1,
  ByProtocol = 2,
};

struct EFI_TABLE_HEADER {
  UINT64 Signature;
  UINT32 Revision;
  UINT32 HeaderSize;
  UINT32 CRC32;
  UINT32 Reserved;
};
static_assert(sizeof(EFI_TABLE_HEADER) == 24);

constexpr EFI_TPL TPL_APPLICATION = 4;
constexpr EFI_TPL TPL_CALLBACK = 8;
constexpr EFI_TPL TPL_NOTIFY = 16;
