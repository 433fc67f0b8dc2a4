// Event and task-priority services for host tests: CreateEvent, SetTimer,
// WaitForEvent, CloseEvent, RaiseTPL and RestoreTPL. Every call is logged in
// a readable form; WaitForEvent answers from a script. Make one after the
// FakeFirmware; it installs itself into that firmware's boot services.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/fake/FakeFirmware.h"

namespace fake {

class FakeEvents {
 public:
  explicit FakeEvents(FakeFirmware &Firmware);
  ~FakeEvents();
  FakeEvents(const FakeEvents &) = delete;
  FakeEvents &operator=(const FakeEvents &) = delete;

  // One scripted answer of WaitForEvent: its status and the index it reports.
  struct WaitAnswer {
    EFI_STATUS Status = EFI_SUCCESS;
    UINTN Index = 0;
  };
  // WaitForEvent plays these in order. Without a scripted answer it reports
  // the first event as signalled, except that a wait on the keyboard's
  // WaitForKey alone with no key queued would block for ever: the test fails
  // and the process ends.
  std::deque<WaitAnswer> Waits;

  // The calls in order, for example "CreateEvent(80000000,0,null) = Timer1",
  // "SetTimer(Timer1,Relative,500)", "WaitForEvent(WaitForKey,Timer1) = 1",
  // "CloseEvent(Timer1)", "RaiseTPL(16) = 4", "RestoreTPL(4)". Events are
  // named WaitForKey (the keyboard's) or TimerN (the Nth one created).
  std::vector<std::string> Log;
  // Called after each logged call, so a test can look at the image's state
  // at that moment.
  std::function<void(const std::string &Call)> OnCall;

  EFI_TPL CurrentTpl = TPL_APPLICATION;
  // Events created and not yet closed.
  size_t OpenEvents() const;

  // Internals used by the service trampolines.
  struct Event {
    std::string Name;
    UINT32 Type = 0;
    bool Closed = false;
  };
  FakeFirmware &Firmware;
  std::vector<std::unique_ptr<Event>> Events;
  std::string NameOf(EFI_EVENT Handle) const;
  Event *Lookup(EFI_EVENT Handle) const;
  void Record(const std::string &Call);
  static FakeEvents &Current();

 private:
  static FakeEvents *Active;
};

}  // namespace fake
