// A fake firmware with the driver-model services, a UEFI Shell 2.x, and the
// shell compatibility driver's state as it is when the driver is loaded.
#pragma once

#include <gtest/gtest.h>

#include "shellcompat/ShellCompatMain.h"
#include "shellcompat/ShellCompatState.h"
#include "tests/fake/FakeDriverModel.h"
#include "tests/fake/FakeFirmware.h"
#include "tests/fake/FakeShell2.h"

namespace fake {

struct DriverFixture {
  FakeFirmware Firmware;
  FakeDriverModel Model{Firmware};
  FakeShell2 Shell{Model};
  // The driver is loaded as an image of its own: the firmware's image
  // handle stands for it.
  EFI_HANDLE DriverHandle = Firmware.ImageHandle;

  DriverFixture() { ShellCompat = ShellCompatStateAtLoad(); }

  EFI_STATUS LoadDriver() { return ShellCompatMain(DriverHandle, &Firmware.SystemTable); }

  EFI_SHELL_INTERFACE *InterfaceOn(EFI_HANDLE Handle) {
    return static_cast<EFI_SHELL_INTERFACE *>(Firmware.Find(Handle, ShellInterfaceProtocolGuid));
  }
};

}  // namespace fake
