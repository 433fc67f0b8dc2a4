#include "tests/fake/ImageState.h"

#include "ectool/EcHostInterface.h"
#include "platform/EcPlatformBytes.h"
#include "runtime/RuntimeContext.h"
#include "tests/fake/FakeFirmware.h"

namespace fake {

void ResetImageState(FakeFirmware &Firmware) {
  RuntimeContext = RuntimeContextAtLoad();
  EcRootBridge = nullptr;
  EcPortSelectorByte = &Firmware.PortSelector;
  EcInhibitByte = &Firmware.Inhibit;
}

}  // namespace fake
