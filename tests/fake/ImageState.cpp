#include "tests/fake/ImageState.h"

#include "ectool/EcHostInterface.h"
#include "platform/EcPlatformBytes.h"
#include "print/GuidText.h"
#include "print/PageBreakState.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

void ResetImageState(FakeFirmware &Firmware) {
  RuntimeContext = RuntimeContextAtLoad();
  EcRootBridge = nullptr;
  PageBreakState = {};
  GuidNameSource = nullptr;
  EcPortSelectorByte = &Firmware.PortSelector;
  EcInhibitByte = &Firmware.Inhibit;
}

}  // namespace fake
