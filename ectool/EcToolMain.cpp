#include "ectool/EcToolMain.h"

#include "ectool/EcHostInterface.h"
#include "runtime/ShellAttach.h"

EFI_STATUS EFIAPI EcToolMain(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  AttachShell(ImageHandle, SystemTable);
  EC_BIND_FAILURE Failure = EcBindNoError;
  return EcBindRootBridge(&Failure);
}
