// An 8-bit string in a heap block of exactly its size, terminator included,
// so that a read past the terminator trips AddressSanitizer.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "platform/EfiTypes.h"

namespace fake {

class ExactString {
 public:
  explicit ExactString(const std::string &Text) : Bytes(new CHAR8[Text.size() + 1]) {
    std::memcpy(Bytes.get(), Text.c_str(), Text.size() + 1);
  }
  CHAR8 *Get() const { return Bytes.get(); }

 private:
  std::unique_ptr<CHAR8[]> Bytes;
};

}  // namespace fake
