#include "print/EventWait.h"

#include "runtime/RuntimeContext.h"

namespace {

constexpr UINTN TimerIndex = 1;

}  // namespace

EFI_STATUS WaitForEventTimeout(EFI_EVENT Event, UINT64 Timeout) {
  EFI_BOOT_SERVICES *BootServices = RuntimeContext.BootServices;
  UINTN Index = 0;
  if (Timeout == 0) {
    return BootServices->WaitForEvent(1, &Event, &Index);
  }
  EFI_EVENT Timer = nullptr;
  EFI_STATUS Status = BootServices->CreateEvent(EVT_TIMER, 0, nullptr, nullptr, &Timer);
  if (IsError(Status)) {
    return Status;
  }
  // A timer that cannot be armed never fires: the wait is then unbounded.
  BootServices->SetTimer(Timer, TimerRelative, Timeout);
  EFI_EVENT Events[2] = {Event, Timer};
  Status = BootServices->WaitForEvent(2, Events, &Index);
  BootServices->CloseEvent(Timer);
  if (!IsError(Status) && Index == TimerIndex) {
    return EFI_TIMEOUT;
  }
  return Status;
}
