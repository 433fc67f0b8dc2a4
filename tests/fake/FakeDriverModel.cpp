#include "tests/fake/FakeDriverModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/DriverBinding.h"

namespace fake {

FakeDriverModel *FakeDriverModel::Active = nullptr;

namespace {

FakeDriverModel &Model() { return FakeDriverModel::Current(); }

bool HeldByDriver(const OpenRecord &Open, EFI_HANDLE Handle, const EFI_GUID &Protocol) {
  return Open.Handle == Handle && Open.Protocol == Protocol && (Open.Attributes & EFI_OPEN_PROTOCOL_BY_DRIVER) != 0;
}

void SignalEvent(FakeEvent *Event) {
  Event->Signals++;
  if (Event->Notify != nullptr) {
    Event->Notify(Event, Event->Context);
  }
}

EFI_STATUS EFIAPI InstallProtocolInterface(EFI_HANDLE *Handle, const EFI_GUID *Protocol,
                                           EFI_INTERFACE_TYPE InterfaceType, VOID *Interface) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::InstallProtocolInterface, &Status)) {
    return Status;
  }
  if (Handle == nullptr || InterfaceType != EFI_NATIVE_INTERFACE) {
    return EFI_INVALID_PARAMETER;
  }
  if (*Handle == nullptr) {
    *Handle = M.Firmware.NewHandle();
  } else if (M.Firmware.Find(*Handle, *Protocol) != nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  M.Firmware.Install(*Handle, *Protocol, Interface);
  std::vector<FakeEvent *> ToSignal;
  for (const auto &Registration : M.Registrations) {
    if (Registration->Protocol == *Protocol) {
      Registration->Pending.push_back(*Handle);
      ToSignal.push_back(Registration->Event);
    }
  }
  for (FakeEvent *Event : ToSignal) {
    SignalEvent(Event);
  }
  return EFI_SUCCESS;
}

// Asks every agent that holds the protocol BY_DRIVER to stop, through its
// driver binding, as DisconnectController would.
void DisconnectDrivers(EFI_HANDLE Handle, const EFI_GUID &Protocol) {
  FakeDriverModel &M = Model();
  std::vector<EFI_HANDLE> Agents;
  for (const OpenRecord &Open : M.Opens) {
    if (HeldByDriver(Open, Handle, Protocol)) {
      Agents.push_back(Open.Agent);
    }
  }
  for (EFI_HANDLE Agent : Agents) {
    auto *Binding = static_cast<EFI_DRIVER_BINDING_PROTOCOL *>(M.Firmware.Find(Agent, EfiDriverBindingProtocolGuid));
    if (Binding != nullptr) {
      M.StopCalls++;
      Binding->Stop(Binding, Handle, 0, nullptr);
    }
  }
}

EFI_STATUS EFIAPI UninstallProtocolInterface(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID *Interface) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::UninstallProtocolInterface, &Status)) {
    return Status;
  }
  void *Installed = M.Firmware.Find(Handle, *Protocol);
  if (Installed == nullptr || Installed != Interface) {
    return EFI_NOT_FOUND;
  }
  DisconnectDrivers(Handle, *Protocol);
  for (const OpenRecord &Open : M.Opens) {
    if (HeldByDriver(Open, Handle, *Protocol)) {
      return EFI_ACCESS_DENIED;
    }
  }
  M.Firmware.Uninstall(Handle, *Protocol);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI OpenProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface, EFI_HANDLE Agent,
                               EFI_HANDLE Controller, UINT32 Attributes) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status = M.BaseOpenProtocol(Handle, Protocol, Interface, Agent, Controller, Attributes);
  if (IsError(Status) || (Attributes & EFI_OPEN_PROTOCOL_BY_DRIVER) == 0) {
    return Status;
  }
  for (const OpenRecord &Open : M.Opens) {
    if (HeldByDriver(Open, Handle, *Protocol)) {
      return Open.Agent == Agent ? EFI_ALREADY_STARTED : EFI_ACCESS_DENIED;
    }
  }
  M.Opens.push_back({Handle, *Protocol, Agent, Controller, Attributes});
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI CloseProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, EFI_HANDLE Agent,
                                EFI_HANDLE Controller) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::CloseProtocol, &Status)) {
    return Status;
  }
  auto Found = std::find_if(M.Opens.begin(), M.Opens.end(), [&](const OpenRecord &Open) {
    return Open.Handle == Handle && Open.Protocol == *Protocol && Open.Agent == Agent &&
           Open.Controller == Controller;
  });
  if (Found == M.Opens.end()) {
    return EFI_NOT_FOUND;
  }
  M.Opens.erase(Found);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI CreateEvent(UINT32 Type, EFI_TPL NotifyTpl, EFI_EVENT_NOTIFY Notify, VOID *Context,
                              EFI_EVENT *Event) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::CreateEvent, &Status)) {
    return Status;
  }
  auto Created = std::make_unique<FakeEvent>();
  Created->Type = Type;
  Created->NotifyTpl = NotifyTpl;
  Created->Notify = Notify;
  Created->Context = Context;
  *Event = Created.get();
  M.Events.push_back(std::move(Created));
  return EFI_SUCCESS;
}

FakeEvent *EventOf(EFI_EVENT Event) {
  for (const auto &Known : Model().Events) {
    if (Known.get() == Event && !Known->Closed) {
      return Known.get();
    }
  }
  return nullptr;
}

// Closing an event ends the registrations made with it.
EFI_STATUS EFIAPI CloseEvent(EFI_EVENT Event) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::CloseEvent, &Status)) {
    return Status;
  }
  FakeEvent *Known = EventOf(Event);
  if (Known == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  Known->Closed = true;
  std::erase_if(M.Registrations, [&](const auto &Registration) { return Registration->Event == Known; });
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI RegisterProtocolNotify(const EFI_GUID *Protocol, EFI_EVENT Event, VOID **Registration) {
  FakeDriverModel &M = Model();
  EFI_STATUS Status;
  if (M.Injected(DriverService::RegisterProtocolNotify, &Status)) {
    return Status;
  }
  FakeEvent *Known = EventOf(Event);
  if (Known == nullptr || Registration == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  M.Registrations.push_back(std::make_unique<NotifyRegistration>(NotifyRegistration{*Protocol, Known, {}}));
  *Registration = M.Registrations.back().get();
  return EFI_SUCCESS;
}

// ByRegisterNotify hands out the next handle new to the registration, one a
// call; other searches go to the firmware's own LocateHandle.
EFI_STATUS EFIAPI LocateHandle(EFI_LOCATE_SEARCH_TYPE SearchType, const EFI_GUID *Protocol, VOID *SearchKey,
                               UINTN *BufferSize, EFI_HANDLE *Buffer) {
  FakeDriverModel &M = Model();
  if (SearchType != ByRegisterNotify) {
    return M.BaseLocateHandle(SearchType, Protocol, SearchKey, BufferSize, Buffer);
  }
  auto Found = std::find_if(M.Registrations.begin(), M.Registrations.end(),
                            [&](const auto &Registration) { return Registration.get() == SearchKey; });
  if (Found == M.Registrations.end()) {
    return EFI_INVALID_PARAMETER;
  }
  NotifyRegistration &Registration = **Found;
  while (!Registration.Pending.empty() &&
         M.Firmware.Find(Registration.Pending.front(), Registration.Protocol) == nullptr) {
    Registration.Pending.pop_front();
  }
  if (Registration.Pending.empty()) {
    return EFI_NOT_FOUND;
  }
  if (*BufferSize < sizeof(EFI_HANDLE)) {
    *BufferSize = sizeof(EFI_HANDLE);
    return EFI_BUFFER_TOO_SMALL;
  }
  *BufferSize = sizeof(EFI_HANDLE);
  *Buffer = Registration.Pending.front();
  Registration.Pending.pop_front();
  return EFI_SUCCESS;
}

}  // namespace

FakeDriverModel &FakeDriverModel::Current() {
  if (Active == nullptr) {
    ADD_FAILURE() << "no FakeDriverModel is active";
    std::abort();
  }
  return *Active;
}

FakeDriverModel::FakeDriverModel(FakeFirmware &Owner) : Firmware(Owner) {
  Active = this;
  EFI_BOOT_SERVICES &Boot = Firmware.BootServices;
  Saved = Boot;
  BaseOpenProtocol = Boot.OpenProtocol;
  BaseLocateHandle = Boot.LocateHandle;
  Boot.InstallProtocolInterface = InstallProtocolInterface;
  Boot.UninstallProtocolInterface = UninstallProtocolInterface;
  Boot.OpenProtocol = OpenProtocol;
  Boot.CloseProtocol = CloseProtocol;
  Boot.CreateEvent = CreateEvent;
  Boot.CloseEvent = CloseEvent;
  Boot.RegisterProtocolNotify = RegisterProtocolNotify;
  Boot.LocateHandle = LocateHandle;
}

FakeDriverModel::~FakeDriverModel() {
  Firmware.BootServices = Saved;
  Active = nullptr;
}


size_t FakeDriverModel::OpenEventCount() const {
  return std::count_if(Events.begin(), Events.end(), [](const auto &Event) { return !Event->Closed; });
}

size_t FakeDriverModel::ProtocolCount(EFI_HANDLE Handle) const {
  return static_cast<FakeFirmware::Handle *>(Handle)->Protocols.size();
}

}  // namespace fake
