// Cost of one EC transaction's handshake through the root bridge seam, with
// an idle EC and with one that stays busy for a while after each byte.
#include <benchmark/benchmark.h>

#include "ectool/EcHostInterface.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace {

void SendEcCommandIdle(benchmark::State &State) {
  fake::FakeFirmware Firmware;
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  Firmware.AddRootBridge();
  Firmware.Ec.BusyReadsAfterWrite = static_cast<unsigned>(State.range(0));
  EC_BIND_FAILURE Failure;
  EcBindRootBridge(&Failure);
  for (auto _ : State) {
    SendEcCommand(0x9E, 0x01);
    Firmware.Ec.Log.clear();
  }
}
BENCHMARK(SendEcCommandIdle)->Arg(0)->Arg(100);

}  // namespace
