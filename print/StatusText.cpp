#include "print/StatusText.h"

#include "print/Print.h"
#include "runtime/Strings.h"

namespace {

struct STATUS_NAME {
  EFI_STATUS Status;
  const CHAR16 *Text;
};

// Codes match exactly: no masking, no ranges.
constexpr STATUS_NAME StatusNames[] = {
    {EFI_SUCCESS, u"Success"},
    {EFI_WARN_UNKNOWN_GLYPH, u"Warning Unknown Glyph"},
    {EFI_WARN_DELETE_FAILURE, u"Warning Delete Failure"},
    {EFI_WARN_WRITE_FAILURE, u"Warning Write Failure"},
    {EFI_WARN_BUFFER_TOO_SMALL, u"Warning Buffer Too Small"},
    {EFI_WARN_RETURN_FROM_LONG_JUMP, u"Warning Return From Long Jump"},
    {EFI_LOAD_ERROR, u"Load Error"},
    {EFI_INVALID_PARAMETER, u"Invalid Parameter"},
    {EFI_UNSUPPORTED, u"Unsupported"},
    {EFI_BAD_BUFFER_SIZE, u"Bad Buffer Size"},
    {EFI_BUFFER_TOO_SMALL, u"Buffer Too Small"},
    {EFI_NOT_READY, u"Not Ready"},
    {EFI_DEVICE_ERROR, u"Device Error"},
    {EFI_WRITE_PROTECTED, u"Write Protected"},
    {EFI_OUT_OF_RESOURCES, u"Out of Resources"},
    {EFI_VOLUME_CORRUPTED, u"Volume Corrupted"},
    {EFI_VOLUME_FULL, u"Volume Full"},
    {EFI_NO_MEDIA, u"No Media"},
    {EFI_MEDIA_CHANGED, u"Media Changed"},
    {EFI_NOT_FOUND, u"Not Found"},
    {EFI_ACCESS_DENIED, u"Access Denied"},
    {EFI_NO_RESPONSE, u"No Response"},
    {EFI_NO_MAPPING, u"No Mapping"},
    {EFI_TIMEOUT, u"Time Out"},
    {EFI_NOT_STARTED, u"Not Started"},
    {EFI_ALREADY_STARTED, u"Already Started"},
    {EFI_ABORTED, u"Aborted"},
    {EFI_ICMP_ERROR, u"ICMP Error"},
    {EFI_TFTP_ERROR, u"TFTP Error"},
    {EFI_PROTOCOL_ERROR, u"Protocol Error"},
    {EFI_INCOMPATIBLE_VERSION, u"Incompatible Version"},
    {EFI_SECURITY_VIOLATION, u"Security Violation"},
    {EFI_CRC_ERROR, u"CRC Error"},
    {0xC000000000000000ULL, u"Not Available Yet"},
    {0xC000000000000001ULL, u"Unload Image"},
};
static_assert(sizeof(StatusNames) / sizeof(StatusNames[0]) == 35);

constexpr UINTN ScratchBytes = 200;

const CHAR16 *StatusName(EFI_STATUS Status) {
  for (const STATUS_NAME &Row : StatusNames) {
    if (Row.Status == Status) {
      return Row.Text;
    }
  }
  return nullptr;
}

}  // namespace

VOID StatusToText(CHAR16 *Buffer, EFI_STATUS Status) {
  const CHAR16 *Name = StatusName(Status);
  if (Name != nullptr) {
    StrCopy(Buffer, Name);
    return;
  }
  PrintToBuffer(Buffer, ScratchBytes, u"%x", Status);
}
