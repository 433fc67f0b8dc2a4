#pragma once

namespace fake {
class FakeFirmware;

// Puts every process-wide value of the image back as it is at load, and
// points the platform bytes at the fake's own. Each test starts from here.
void ResetImageState(FakeFirmware &Firmware);
}  // namespace fake
