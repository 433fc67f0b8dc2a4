#include "print/TimeText.h"

#include "print/Print.h"
#include "runtime/Strings.h"

namespace {

constexpr UINTN ScratchBytes = 200;

struct CLOCK_12 {
  UINTN Hour;
  CHAR16 Suffix;
};

// Hours above 23 follow the afternoon rule, so a bad byte still prints.
CLOCK_12 TwelveHourClock(UINTN Hour) {
  if (Hour == 0) {
    return {12, u'a'};
  }
  if (Hour < 12) {
    return {Hour, u'a'};
  }
  if (Hour == 12) {
    return {12, u'p'};
  }
  return {Hour - 12, u'p'};
}

}  // namespace

VOID TimeToText(CHAR16 *Buffer, const EFI_TIME *Time) {
  // Callers owe a valid pointer; a null one prints like a null string
  // rather than bringing the firmware down.
  if (Time == nullptr) {
    StrCopy(Buffer, u"(null)");
    return;
  }
  CLOCK_12 Clock = TwelveHourClock(Time->Hour);
  PrintToBuffer(Buffer, ScratchBytes, u"%02d/%02d/%02d  %02d:%02d%c", Time->Month, Time->Day, Time->Year % 100,
                Clock.Hour, Time->Minute, Clock.Suffix);
}
