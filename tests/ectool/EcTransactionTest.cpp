// The three transactions as whole port-traffic logs against a scripted EC.
#include <functional>

#include "platform/EcPlatformBytes.h"
#include "tests/ectool/EcTestFixture.h"
#include "tests/fake/FakeEc.h"

namespace fake {
namespace {

enum Kind { NoRet, Ext, Command };

struct TrafficCase {
  const char *Name;
  Kind Transaction;
  std::function<void(FakeFirmware &)> Script;
  const char *WantLog;
  UINT8 WantResult;  // SendEcCmdExt only
};

void Answer5A(FakeFirmware &F) { F.Ec.Answers[0xAC] = 0x5A; }

const TrafficCase TrafficCases[] = {
    // The idle EC on the primary pair, as the ACPI EC handshake runs.
    {"idle, command only", NoRet, nullptr, "R66=00 x2 W66=B0 R66=00", 0},
    {"idle, command and read", Ext, Answer5A, "R66=00 x2 W66=AC R66=01 x2 R62=5A", 0x5A},
    {"idle, command and data", Command, nullptr, "R66=00 x2 W66=9E R66=00 W62=01 R66=00", 0},
    // Selector bit 2 moves everything to the secondary pair; other bits do not.
    {"secondary, command only", NoRet, [](FakeFirmware &F) { F.PortSelector = 0x04; }, "R6C=00 x2 W6C=B0 R6C=00", 0},
    {"secondary, command and read", Ext,
     [](FakeFirmware &F) {
       F.PortSelector = 0x04;
       Answer5A(F);
     },
     "R6C=00 x2 W6C=AC R6C=01 x2 R68=5A", 0x5A},
    {"secondary, command and data", Command, [](FakeFirmware &F) { F.PortSelector = 0xFF; },
     "R6C=00 x2 W6C=9E R6C=00 W68=01 R6C=00", 0},
    {"selector bits other than 2", NoRet, [](FakeFirmware &F) { F.PortSelector = 0xFB; }, "R66=00 x2 W66=B0 R66=00",
     0},
    // Inhibit bit 5 touches no port and reads no selector (it is made unreadable).
    {"inhibited, command only", NoRet, [](FakeFirmware &F) { F.Inhibit = 0x20; EcPortSelectorByte = nullptr; }, "", 0},
    {"inhibited, command and read", Ext,
     [](FakeFirmware &F) {
       F.Inhibit = 0x20;
       EcPortSelectorByte = nullptr;
       Answer5A(F);
     },
     "", 0},
    {"inhibited, command and data", Command, [](FakeFirmware &F) { F.Inhibit = 0xFF; EcPortSelectorByte = nullptr; }, "",
     0},
    {"inhibit bits other than 5", NoRet, [](FakeFirmware &F) { F.Inhibit = 0xDF; }, "R66=00 x2 W66=B0 R66=00", 0},
    // A stale byte is drained once before the command; a second one is not.
    {"stale byte drained", NoRet, [](FakeFirmware &F) { F.Ec.Output = {0x77}; },
     "R66=01 x2 R62=77 R66=00 W66=B0 R66=00", 0},
    {"second stale byte stays", Ext, [](FakeFirmware &F) { F.Ec.Output = {0x77, 0x78}; },
     "R66=01 x2 R62=77 R66=01 W66=AC R66=01 x2 R62=78", 0x78},
    // A busy EC is waited for.
    {"busy before the command", NoRet, [](FakeFirmware &F) { F.Ec.InitialBusyReads = 3; },
     "R66=02 x3 R66=00 x2 W66=B0 R66=00", 0},
    {"busy after each byte", Command, [](FakeFirmware &F) { F.Ec.BusyReadsAfterWrite = 2; },
     "R66=00 x2 W66=9E R66=02 x2 R66=00 W62=01 R66=02 x2 R66=00", 0},
    // An EC that never answers costs the poll bound, then the data port is read anyway.
    {"OBF never set", Ext, [](FakeFirmware &F) { F.Ec.EmptyDataValue = 0xEE; },
     "R66=00 x2 W66=AC R66=00 x16777216 R62=EE", 0xEE},
    // An EC that never clears IBF: the wait gives up, nothing is written.
    {"IBF never clears, command only", NoRet, [](FakeFirmware &F) { F.Ec.StuckStatus = 0x02; }, "R66=02 x16777215", 0},
    {"IBF never clears, command and read", Ext, [](FakeFirmware &F) { F.Ec.StuckStatus = 0x03; }, "R66=03 x16777215",
     0},
    {"IBF never clears after the command", Command,
     [](FakeFirmware &F) { F.Ec.BusyReadsAfterWrite = 0xFFFFFFFF; }, "R66=00 x2 W66=9E R66=02 x16777215", 0},
    // A failed Io.Read reads as a floating bus (0xFF): IBF looks set for ever.
    {"Io.Read failing", Ext, [](FakeFirmware &F) { F.Bridges[0]->IoReadStatus = EFI_DEVICE_ERROR; },
     "R66=00 x16777215", 0},
};

TEST_F(EcTest, TransactionsProduceExactlyThisTraffic) {
  for (const TrafficCase &C : TrafficCases) {
    SCOPED_TRACE(C.Name);
    FakeFirmware Firmware;
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    Firmware.AddRootBridge();
    EC_BIND_FAILURE Failure;
    ASSERT_EQ(EcBindRootBridge(&Failure), EFI_SUCCESS);
    if (C.Script) C.Script(Firmware);

    UINT8 Result = 0;
    switch (C.Transaction) {
      case NoRet: SendEcCmdNoRet(0xB0); break;
      case Ext: Result = SendEcCmdExt(0xAC); break;
      case Command: SendEcCommand(0x9E, 0x01); break;
    }
    EXPECT_EQ(Describe(Firmware.Ec.Log), C.WantLog);
    if (C.Transaction == Ext) EXPECT_EQ(Result, C.WantResult);
    EXPECT_TRUE(Firmware.PoolBalanced());
  }
}

TEST_F(EcTest, EveryByteValueGoesOutUnchanged) {
  BindOneBridge();
  for (unsigned Value = 0; Value <= 0xFF; Value++) {
    SendEcCommand(static_cast<UINT8>(Value), static_cast<UINT8>(0xFF - Value));
  }
  ASSERT_EQ(Firmware.Ec.CommandsWritten.size(), 256u);
  for (unsigned Value = 0; Value <= 0xFF; Value++) {
    EXPECT_EQ(Firmware.Ec.CommandsWritten[Value], Value);
    EXPECT_EQ(Firmware.Ec.DataWritten[Value], 0xFF - Value);
  }
}

}  // namespace
}  // namespace fake
