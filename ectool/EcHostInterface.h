// Access to the embedded controller through the ACPI EC host interface: one
// status/command port and one data port, reached through the bound PCI Root
// Bridge I/O instance.
#pragma once

#include "platform/PciRootBridgeIo.h"

enum EC_BIND_FAILURE {
  EcBindNoError,
  EcBindOutOfResources,
  EcBindLocateError,
  EcBindProtocolError,
};

struct EcPortPair {
  UINT16 StatusCommand;  // EC_SC: status on read, command on write
  UINT16 Data;           // EC_DATA
};

inline constexpr EcPortPair EcPrimaryPorts = {0x66, 0x62};
inline constexpr EcPortPair EcSecondaryPorts = {0x6C, 0x68};

constexpr UINT8 EC_OBF = 0x01;  // output buffer full: a byte waits in EC_DATA
constexpr UINT8 EC_IBF = 0x02;  // input buffer full: the EC has not taken our byte
constexpr UINT8 EcSelectSecondaryBit = 0x04;
constexpr UINT8 EcInhibitBit = 0x20;

// Bound on every handshake wait, in status reads.
constexpr UINTN EcPollLimit = 0xFFFFFF;

// The instance all port traffic goes through; empty until EcBindRootBridge.
extern EFI_PCI_ROOT_BRIDGE_IO_PROTOCOL *EcRootBridge;

EFI_STATUS EcBindRootBridge(EC_BIND_FAILURE *Failure);

VOID SendEcCmdNoRet(UINT8 Command);
UINT8 SendEcCmdExt(UINT8 Command);
VOID SendEcCommand(UINT8 Command, UINT8 Data);

UINT8 EcIoRead8(UINT16 Port);
VOID EcIoWrite8(UINT16 Port, UINT8 Value);
EcPortPair EcSelectPortPair();
// False when the EC never cleared IBF within EcPollLimit reads.
bool EcWaitInputEmpty(UINT16 StatusPort);
// Gives up after EcPollLimit reads without saying whether OBF came.
VOID EcWaitOutputFull(UINT16 StatusPort);
