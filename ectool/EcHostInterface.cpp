#include "ectool/EcHostInterface.h"

#include "platform/EcPlatformBytes.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"

EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *EcRootBridge = nullptr;

namespace {

EFI_STATUS StopBinding(EC_BIND_FAILURE *Failure, EC_BIND_FAILURE Code, EFI_STATUS Status, EFI_HANDLE *Handles) {
  if (Handles != nullptr) {
    PoolFree(Handles);
  }
  *Failure = Code;
  return Status;
}

EFI_STATUS LocateRootBridges(UINTN *Size, EFI_HANDLE *Handles) {
  return RuntimeContext.BootServices->LocateHandle(ByProtocol, &EfiPciRootBridgeIoProtocolGuid, nullptr, Size,
                                                   Handles);
}

// The status of one handle's step, or an error that ends the binding.
EFI_STATUS OpenAndConfigure(EFI_HANDLE Handle) {
  EFI_STATUS Status = RuntimeContext.BootServices->HandleProtocol(Handle, &EfiPciRootBridgeIoProtocolGuid,
                                                                  reinterpret_cast<VOID **>(&EcRootBridge));
  if (IsError(Status)) {
    return Status;
  }
  // The descriptor list belongs to the firmware and is not used.
  VOID *Resources = nullptr;
  Status = EcRootBridge->Configuration(EcRootBridge, &Resources);
  return Status == EFI_UNSUPPORTED ? EFI_SUCCESS : Status;
}

// Reads the status port until IBF is clear; false when the EC never clears it.
bool WaitInputBufferClear(UINT16 StatusPort) {
  for (UINTN Reads = 0; Reads < EcPollLimit; Reads++) {
    if ((EcIoRead8(StatusPort) & EC_IBF) == 0) {
      return true;
    }
  }
  return false;
}

bool IsInhibited() { return (*EcInhibitByte & EcInhibitBit) != 0; }

// The five steps every transaction starts with. False when the transaction
// must end here: the EC is inhibited, or it never took a byte.
bool StartTransaction(UINT8 Command, EcPortPair *Ports) {
  if (IsInhibited()) {
    return false;
  }
  *Ports = EcSelectPortPair();
  if (!EcWaitInputEmpty(Ports->StatusCommand)) {
    return false;
  }
  EcIoWrite8(Ports->StatusCommand, Command);
  return WaitInputBufferClear(Ports->StatusCommand);
}

}  // namespace

EFI_STATUS EcBindRootBridge(EC_BIND_FAILURE *Failure) {
  EcRootBridge = nullptr;
  UINTN Size = sizeof(EFI_HANDLE);
  EFI_HANDLE *Handles = static_cast<EFI_HANDLE *>(PoolAllocate(Size));
  if (Handles == nullptr) {
    return StopBinding(Failure, EcBindOutOfResources, EFI_OUT_OF_RESOURCES, nullptr);
  }
  EFI_STATUS Status = LocateRootBridges(&Size, Handles);
  if (Status == EFI_BUFFER_TOO_SMALL) {
    Handles = static_cast<EFI_HANDLE *>(PoolReallocate(Handles, sizeof(EFI_HANDLE), Size));
    if (Handles == nullptr) {
      return StopBinding(Failure, EcBindOutOfResources, EFI_OUT_OF_RESOURCES, nullptr);
    }
    Status = LocateRootBridges(&Size, Handles);
  }
  if (IsError(Status)) {
    return StopBinding(Failure, EcBindLocateError, Status, Handles);
  }
  UINTN Count = Size / sizeof(EFI_HANDLE);
  // A success with no handle leaves nothing to send through.
  if (Count == 0) {
    return StopBinding(Failure, EcBindLocateError, EFI_NOT_FOUND, Handles);
  }
  for (UINTN Index = 0; Index < Count; Index++) {
    Status = OpenAndConfigure(Handles[Index]);
    if (IsError(Status)) {
      return StopBinding(Failure, EcBindProtocolError, Status, Handles);
    }
  }
  return StopBinding(Failure, EcBindNoError, Status, Handles);
}

UINT8 EcIoRead8(UINT16 Port) {
  // A failed read yields what a floating bus reads, so the waits give up on
  // a missing EC instead of writing to it.
  UINT8 Value = 0xFF;
  EcRootBridge->Io.Read(EcRootBridge, EfiPciWidthUint8, Port, 1, &Value);
  return Value;
}

VOID EcIoWrite8(UINT16 Port, UINT8 Value) { EcRootBridge->Io.Write(EcRootBridge, EfiPciWidthUint8, Port, 1, &Value); }

EcPortPair EcSelectPortPair() {
  return (*EcPortSelectorByte & EcSelectSecondaryBit) != 0 ? EcSecondaryPorts : EcPrimaryPorts;
}

bool EcWaitInputEmpty(UINT16 StatusPort) {
  if (!WaitInputBufferClear(StatusPort)) {
    return false;
  }
  if ((EcIoRead8(StatusPort) & EC_OBF) == 0) {
    return true;
  }
  // The EC may leave a stale byte from an earlier query: drain one.
  EcIoRead8(static_cast<UINT16>(StatusPort - 4));
  return WaitInputBufferClear(StatusPort);
}

VOID EcWaitOutputFull(UINT16 StatusPort) {
  for (UINTN Reads = 0; Reads < EcPollLimit; Reads++) {
    if ((EcIoRead8(StatusPort) & EC_OBF) != 0) {
      return;
    }
  }
}

VOID SendEcCmdNoRet(UINT8 Command) {
  EcPortPair Ports;
  StartTransaction(Command, &Ports);
}

UINT8 SendEcCmdExt(UINT8 Command) {
  EcPortPair Ports;
  if (!StartTransaction(Command, &Ports)) {
    return 0;
  }
  // The data port is read also when OBF never came.
  EcWaitOutputFull(Ports.StatusCommand);
  return EcIoRead8(Ports.Data);
}

VOID SendEcCommand(UINT8 Command, UINT8 Data) {
  EcPortPair Ports;
  if (!StartTransaction(Command, &Ports)) {
    return;
  }
  EcIoWrite8(Ports.Data, Data);
  WaitInputBufferClear(Ports.StatusCommand);
}
