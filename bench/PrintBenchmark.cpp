// Format engine cost per call: the tool's trace line, number-heavy formats,
// and a long pool-string append that grows several times.
#include <benchmark/benchmark.h>

#include "print/Print.h"
#include "runtime/Pool.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace {

void TraceLineToBuffer(benchmark::State &State) {
  fake::FakeFirmware Firmware;
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  CHAR16 Buffer[64];
  for (auto _ : State) {
    benchmark::DoNotOptimize(PrintToBuffer(Buffer, sizeof(Buffer), u"SendEcCommand(0x%x,0x%x)\n", 0x9Eu, 0x01u));
  }
}
BENCHMARK(TraceLineToBuffer);

void NumbersToBuffer(benchmark::State &State) {
  fake::FakeFirmware Firmware;
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  CHAR16 Buffer[128];
  for (auto _ : State) {
    benchmark::DoNotOptimize(PrintToBuffer(Buffer, sizeof(Buffer), u"%,d %lX %08x %-.12d", -9223372036854775807LL,
                                           0xFEEDFACECAFEBEEFULL, 0x1Fu, 42));
  }
}
BENCHMARK(NumbersToBuffer);

void LongPoolStringAppend(benchmark::State &State) {
  fake::FakeFirmware Firmware;
  AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
  for (auto _ : State) {
    POOL_STRING String = {nullptr, 0, 0};
    for (int Node = 0; Node < 200; Node++) {
      PrintAppend(&String, u"Pci(%x|%x)/", Node & 0x1F, Node & 7);
    }
    benchmark::DoNotOptimize(String.Str);
    PoolFree(String.Str);
  }
}
BENCHMARK(LongPoolStringAppend);

}  // namespace
