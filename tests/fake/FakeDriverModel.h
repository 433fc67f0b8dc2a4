// The handle-database services a driver uses, on top of a FakeFirmware:
// InstallProtocolInterface and UninstallProtocolInterface, OpenProtocol
// BY_DRIVER and CloseProtocol, CreateEvent and CloseEvent with notify
// functions, RegisterProtocolNotify and LocateHandle ByRegisterNotify.
// Notify functions run inside the install that signals them, as they do on
// firmware when the caller runs at TPL_APPLICATION. Uninstalling a protocol
// that an agent holds BY_DRIVER first calls that agent's driver binding Stop,
// as DisconnectController does. Construct it after the FakeFirmware; it
// hands the services back when it goes.
#pragma once

#include "tests/fake/FailureScript.h"

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/BootServices.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

enum class DriverService {
  InstallProtocolInterface,
  UninstallProtocolInterface,
  CreateEvent,
  CloseEvent,
  RegisterProtocolNotify,
  CloseProtocol,
};

struct OpenRecord {
  EFI_HANDLE Handle;
  EFI_GUID Protocol;
  EFI_HANDLE Agent;
  EFI_HANDLE Controller;
  UINT32 Attributes;
};

struct FakeEvent {
  UINT32 Type = 0;
  EFI_TPL NotifyTpl = 0;
  EFI_EVENT_NOTIFY Notify = nullptr;
  VOID *Context = nullptr;
  unsigned Signals = 0;
  bool Closed = false;
};

struct NotifyRegistration {
  EFI_GUID Protocol;
  FakeEvent *Event;
  std::deque<EFI_HANDLE> Pending;  // handed out one per LocateHandle
};

class FakeDriverModel {
 public:
  explicit FakeDriverModel(FakeFirmware &Firmware);
  ~FakeDriverModel();
  FakeDriverModel(const FakeDriverModel &) = delete;
  FakeDriverModel &operator=(const FakeDriverModel &) = delete;

  static FakeDriverModel &Current();

  FakeFirmware &Firmware;
  std::vector<OpenRecord> Opens;  // BY_DRIVER opens still held
  std::vector<std::unique_ptr<FakeEvent>> Events;
  std::vector<std::unique_ptr<NotifyRegistration>> Registrations;
  unsigned StopCalls = 0;

  // The Nth call (counting from 1) of the service returns Status without
  // doing its work.
  void FailCall(DriverService Which, unsigned Nth, EFI_STATUS Status) { Script.FailCall(Which, Nth, Status); }
  unsigned Calls(DriverService Which) const { return Script.Calls(Which); }
  bool Injected(DriverService Which, EFI_STATUS *Status) { return Script.Injected(Which, Status); }
  FailureScript<DriverService> Script;

  size_t OpenEventCount() const;
  size_t ProtocolCount(EFI_HANDLE Handle) const;

  // The services this replaced, for the ones that hand on.
  EFI_OPEN_PROTOCOL BaseOpenProtocol = nullptr;
  EFI_LOCATE_HANDLE BaseLocateHandle = nullptr;

 private:
  EFI_BOOT_SERVICES Saved{};
  static FakeDriverModel *Active;
};

}  // namespace fake
