#include "tests/fake/FakeEvents.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace fake {

FakeEvents *FakeEvents::Active = nullptr;

namespace {

FakeEvents &Ev() { return FakeEvents::Current(); }

std::string Hex(unsigned long long Value) {
  char Text[24];
  std::snprintf(Text, sizeof(Text), "%llX", Value);
  return Text;
}

EFI_STATUS EFIAPI CreateEvent(UINT32 Type, EFI_TPL NotifyTpl, EFI_EVENT_NOTIFY NotifyFunction, VOID *,
                              EFI_EVENT *Event) {
  FakeEvents &Events = Ev();
  std::string Call = "CreateEvent(" + Hex(Type) + "," + std::to_string(NotifyTpl) + "," +
                     (NotifyFunction == nullptr ? "null" : "fn") + ")";
  EFI_STATUS Status;
  if (Events.Firmware.Injected(Service::CreateEvent, &Status)) {
    Events.Record(Call + " failed " + Hex(Status));
    return Status;
  }
  Events.Events.push_back(std::make_unique<FakeEvents::Event>());
  FakeEvents::Event &Created = *Events.Events.back();
  Created.Name = "Timer" + std::to_string(Events.Events.size());
  Created.Type = Type;
  *Event = &Created;
  Events.Record(Call + " = " + Created.Name);
  return EFI_SUCCESS;
}

const char *TimerTypeName(EFI_TIMER_DELAY Type) {
  switch (Type) {
    case TimerCancel:
      return "Cancel";
    case TimerPeriodic:
      return "Periodic";
    case TimerRelative:
      return "Relative";
  }
  return "?";
}

EFI_STATUS EFIAPI SetTimer(EFI_EVENT Event, EFI_TIMER_DELAY Type, UINT64 TriggerTime) {
  FakeEvents &Events = Ev();
  std::string Call = "SetTimer(" + Events.NameOf(Event) + "," + TimerTypeName(Type) + "," +
                     std::to_string(TriggerTime) + ")";
  EFI_STATUS Status;
  if (Events.Firmware.Injected(Service::SetTimer, &Status)) {
    Events.Record(Call + " failed " + Hex(Status));
    return Status;
  }
  FakeEvents::Event *Timer = Events.Lookup(Event);
  if (Timer == nullptr || (Timer->Type & EVT_TIMER) == 0) {
    ADD_FAILURE() << Call << ": not an open timer event";
    Events.Record(Call + " invalid");
    return EFI_INVALID_PARAMETER;
  }
  Events.Record(Call);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI WaitForEvent(UINTN NumberOfEvents, EFI_EVENT *Event, UINTN *Index) {
  FakeEvents &Events = Ev();
  std::string Call = "WaitForEvent(";
  for (UINTN Which = 0; Which < NumberOfEvents; Which++) {
    Call += (Which == 0 ? "" : ",") + Events.NameOf(Event[Which]);
  }
  Call += ")";
  EFI_STATUS Status;
  if (Events.Firmware.Injected(Service::WaitForEvent, &Status)) {
    Events.Record(Call + " failed " + Hex(Status));
    return Status;
  }
  FakeEvents::WaitAnswer Answer;
  if (!Events.Waits.empty()) {
    Answer = Events.Waits.front();
    Events.Waits.pop_front();
  } else if (NumberOfEvents == 1 && Event[0] == Events.Firmware.SystemTable.ConIn->WaitForKey &&
             Events.Firmware.ConIn.Keys.empty()) {
    ADD_FAILURE() << Call << " with no key queued would never return";
    std::abort();
  }
  if (IsError(Answer.Status)) {
    Events.Record(Call + " failed " + Hex(Answer.Status));
    return Answer.Status;
  }
  *Index = Answer.Index;
  Events.Record(Call + " = " + std::to_string(Answer.Index));
  return Answer.Status;
}

EFI_STATUS EFIAPI CloseEvent(EFI_EVENT Event) {
  FakeEvents &Events = Ev();
  std::string Call = "CloseEvent(" + Events.NameOf(Event) + ")";
  EFI_STATUS Status;
  if (Events.Firmware.Injected(Service::CloseEvent, &Status)) {
    Events.Record(Call + " failed " + Hex(Status));
    return Status;
  }
  FakeEvents::Event *Closing = Events.Lookup(Event);
  if (Closing == nullptr) {
    ADD_FAILURE() << Call << ": not an open event";
    Events.Record(Call + " invalid");
    return EFI_INVALID_PARAMETER;
  }
  Closing->Closed = true;
  Events.Record(Call);
  return EFI_SUCCESS;
}

EFI_TPL EFIAPI RaiseTPL(EFI_TPL NewTpl) {
  FakeEvents &Events = Ev();
  EFI_TPL Old = Events.CurrentTpl;
  if (NewTpl < Old) {
    ADD_FAILURE() << "RaiseTPL(" << NewTpl << ") below the current " << Old;
  }
  Events.CurrentTpl = NewTpl;
  Events.Record("RaiseTPL(" + std::to_string(NewTpl) + ") = " + std::to_string(Old));
  return Old;
}

VOID EFIAPI RestoreTPL(EFI_TPL OldTpl) {
  FakeEvents &Events = Ev();
  if (OldTpl > Events.CurrentTpl) {
    ADD_FAILURE() << "RestoreTPL(" << OldTpl << ") above the current " << Events.CurrentTpl;
  }
  Events.CurrentTpl = OldTpl;
  Events.Record("RestoreTPL(" + std::to_string(OldTpl) + ")");
}

}  // namespace

FakeEvents::FakeEvents(FakeFirmware &Owner) : Firmware(Owner) {
  Active = this;
  Firmware.BootServices.CreateEvent = CreateEvent;
  Firmware.BootServices.SetTimer = SetTimer;
  Firmware.BootServices.WaitForEvent = WaitForEvent;
  Firmware.BootServices.CloseEvent = CloseEvent;
  Firmware.BootServices.RaiseTPL = RaiseTPL;
  Firmware.BootServices.RestoreTPL = RestoreTPL;
}

FakeEvents::~FakeEvents() {
  for (const auto &Created : Events) {
    if (!Created->Closed) {
      ADD_FAILURE() << "event " << Created->Name << " was never closed";
    }
  }
  if (CurrentTpl != TPL_APPLICATION) {
    ADD_FAILURE() << "task priority left at " << CurrentTpl;
  }
  Firmware.BootServices.CreateEvent = nullptr;
  Firmware.BootServices.SetTimer = nullptr;
  Firmware.BootServices.WaitForEvent = nullptr;
  Firmware.BootServices.CloseEvent = nullptr;
  Firmware.BootServices.RaiseTPL = nullptr;
  Firmware.BootServices.RestoreTPL = nullptr;
  if (Active == this) {
    Active = nullptr;
  }
}

FakeEvents &FakeEvents::Current() {
  if (Active == nullptr) {
    ADD_FAILURE() << "an event service was called without a FakeEvents";
    std::abort();
  }
  return *Active;
}

size_t FakeEvents::OpenEvents() const {
  size_t Open = 0;
  for (const auto &Created : Events) {
    Open += Created->Closed ? 0 : 1;
  }
  return Open;
}

FakeEvents::Event *FakeEvents::Lookup(EFI_EVENT Handle) const {
  for (const auto &Created : Events) {
    if (Created.get() == Handle && !Created->Closed) {
      return Created.get();
    }
  }
  return nullptr;
}

std::string FakeEvents::NameOf(EFI_EVENT Handle) const {
  if (Handle == Firmware.SystemTable.ConIn->WaitForKey) {
    return "WaitForKey";
  }
  for (const auto &Created : Events) {
    if (Created.get() == Handle) {
      return Created->Name;
    }
  }
  return "Unknown";
}

void FakeEvents::Record(const std::string &Call) {
  Log.push_back(Call);
  if (OnCall) {
    OnCall(Call);
  }
}

}  // namespace fake
