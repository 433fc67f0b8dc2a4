// Waiting for an event with and without a time-out.
#include "print/EventWait.h"
#include "tests/print/PagerTestFixture.h"

namespace fake {
namespace {

struct WaitCase {
  const char *Name;
  UINT64 Timeout;
  std::vector<FakeEvents::WaitAnswer> Answers;
  Service Failing;  // the first call of this service fails with EFI_DEVICE_ERROR
  EFI_STATUS Want;
  std::vector<std::string> Log;
};

constexpr Service NoFailure = Service::AllocatePool;

const WaitCase WaitCases[] = {
    {"no time-out", 0, {}, NoFailure, EFI_SUCCESS, {"WaitForEvent(WaitForKey) = 0"}},
    {"no time-out, failing wait", 0, {{EFI_INVALID_PARAMETER, 0}}, NoFailure, EFI_INVALID_PARAMETER,
     {"WaitForEvent(WaitForKey) failed 8000000000000002"}},
    {"event first", 500, {{EFI_SUCCESS, 0}}, NoFailure, EFI_SUCCESS,
     {"CreateEvent(80000000,0,null) = Timer1", "SetTimer(Timer1,Relative,500)", "WaitForEvent(WaitForKey,Timer1) = 0",
      "CloseEvent(Timer1)"}},
    {"timer first", 10000000, {{EFI_SUCCESS, 1}}, NoFailure, EFI_TIMEOUT,
     {"CreateEvent(80000000,0,null) = Timer1", "SetTimer(Timer1,Relative,10000000)",
      "WaitForEvent(WaitForKey,Timer1) = 1", "CloseEvent(Timer1)"}},
    {"failing wait", 500, {{EFI_UNSUPPORTED, 1}}, NoFailure, EFI_UNSUPPORTED,
     {"CreateEvent(80000000,0,null) = Timer1", "SetTimer(Timer1,Relative,500)",
      "WaitForEvent(WaitForKey,Timer1) failed 8000000000000003", "CloseEvent(Timer1)"}},
    {"no timer", 500, {}, Service::CreateEvent, EFI_DEVICE_ERROR,
     {"CreateEvent(80000000,0,null) failed 8000000000000007"}},
    // The timer's own status is not examined: the wait still happens.
    {"timer not armed", 500, {{EFI_SUCCESS, 0}}, Service::SetTimer, EFI_SUCCESS,
     {"CreateEvent(80000000,0,null) = Timer1", "SetTimer(Timer1,Relative,500) failed 8000000000000007",
      "WaitForEvent(WaitForKey,Timer1) = 0", "CloseEvent(Timer1)"}},
};

TEST(EventWait, WaitsForTheEventOrTheTimer) {
  for (const WaitCase &Case : WaitCases) {
    FakeFirmware Firmware;
    AttachRuntime(Firmware.ImageHandle, &Firmware.SystemTable);
    FakeEvents Events(Firmware);
    Events.Waits.assign(Case.Answers.begin(), Case.Answers.end());
    if (Case.Failing != NoFailure) {
      Firmware.FailCall(Case.Failing, 1, EFI_DEVICE_ERROR);
    }
    Firmware.ConIn.Type(u"k");  // a key is there, so the plain wait returns
    EXPECT_EQ(WaitForEventTimeout(Firmware.SystemTable.ConIn->WaitForKey, Case.Timeout), Case.Want) << Case.Name;
    EXPECT_EQ(Events.Log, Case.Log) << Case.Name;
    EXPECT_EQ(Events.OpenEvents(), 0u) << Case.Name;
  }
}

}  // namespace
}  // namespace fake
