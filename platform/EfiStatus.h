// Status codes of the UEFI standard. An error has the top bit set; warnings
// count as success everywhere.
#pragma once

#include "platform/EfiTypes.h"

typedef UINTN EFI_STATUS;

constexpr EFI_STATUS EfiErrorBit = 0x8000000000000000ULL;
constexpr EFI_STATUS EfiError(UINTN Code) { return EfiErrorBit | Code; }

constexpr bool IsError(EFI_STATUS Status) { return (Status & EfiErrorBit) != 0; }

constexpr EFI_STATUS EFI_SUCCESS = 0;
constexpr EFI_STATUS EFI_WARN_UNKNOWN_GLYPH = 1;
constexpr EFI_STATUS EFI_WARN_DELETE_FAILURE = 2;
constexpr EFI_STATUS EFI_WARN_WRITE_FAILURE = 3;
constexpr EFI_STATUS EFI_WARN_BUFFER_TOO_SMALL = 4;
constexpr EFI_STATUS EFI_WARN_RETURN_FROM_LONG_JUMP = 5;

constexpr EFI_STATUS EFI_LOAD_ERROR = EfiError(1);
constexpr EFI_STATUS EFI_INVALID_PARAMETER = EfiError(2);
constexpr EFI_STATUS EFI_UNSUPPORTED = EfiError(3);
constexpr EFI_STATUS EFI_BAD_BUFFER_SIZE = EfiError(4);
constexpr EFI_STATUS EFI_BUFFER_TOO_SMALL = EfiError(5);
constexpr EFI_STATUS EFI_NOT_READY = EfiError(6);
constexpr EFI_STATUS EFI_DEVICE_ERROR = EfiError(7);
constexpr EFI_STATUS EFI_WRITE_PROTECTED = EfiError(8);
constexpr EFI_STATUS EFI_OUT_OF_RESOURCES = EfiError(9);
constexpr EFI_STATUS EFI_VOLUME_CORRUPTED = EfiError(10);
constexpr EFI_STATUS EFI_VOLUME_FULL = EfiError(11);
constexpr EFI_STATUS EFI_NO_MEDIA = EfiError(12);
constexpr EFI_STATUS EFI_MEDIA_CHANGED = EfiError(13);
constexpr EFI_STATUS EFI_NOT_FOUND = EfiError(14);
constexpr EFI_STATUS EFI_ACCESS_DENIED = EfiError(15);
constexpr EFI_STATUS EFI_NO_RESPONSE = EfiError(16);
constexpr EFI_STATUS EFI_NO_MAPPING = EfiError(17);
constexpr EFI_STATUS EFI_TIMEOUT = EfiError(18);
constexpr EFI_STATUS EFI_NOT_STARTED = EfiError(19);
constexpr EFI_STATUS EFI_ALREADY_STARTED = EfiError(20);
constexpr EFI_STATUS EFI_ABORTED = EfiError(21);
constexpr EFI_STATUS EFI_ICMP_ERROR = EfiError(22);
constexpr EFI_STATUS EFI_TFTP_ERROR = EfiError(23);
constexpr EFI_STATUS EFI_PROTOCOL_ERROR = EfiError(24);
constexpr EFI_STATUS EFI_INCOMPATIBLE_VERSION = EfiError(25);
constexpr EFI_STATUS EFI_SECURITY_VIOLATION = EfiError(26);
constexpr EFI_STATUS EFI_CRC_ERROR = EfiError(27);
