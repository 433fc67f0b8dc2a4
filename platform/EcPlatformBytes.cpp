#include "platform/EcPlatformBytes.h"

namespace {
const volatile UINT8 NoInhibit = 0;
}

const volatile UINT8 *EcPortSelectorByte = reinterpret_cast<const volatile UINT8 *>(EcPortSelectorAddress);
const volatile UINT8 *EcInhibitByte = &NoInhibit;
