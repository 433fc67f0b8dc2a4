// Counts the calls of each service of a fake and answers a chosen call with
// a chosen status instead of doing its work.
#pragma once

#include <map>
#include <utility>

#include "platform/EfiStatus.h"

namespace fake {

template <typename SERVICE>
class FailureScript {
 public:
  // The Nth call (counting from 1) of the service returns Status.
  void FailCall(SERVICE Which, unsigned Nth, EFI_STATUS Status) { Failures[{Which, Nth}] = Status; }

  unsigned Calls(SERVICE Which) const {
    auto Found = CallCounts.find(Which);
    return Found == CallCounts.end() ? 0 : Found->second;
  }

  // Counts this call; true with *Status set when the call is to fail.
  bool Injected(SERVICE Which, EFI_STATUS *Status) {
    unsigned Call = ++CallCounts[Which];
    auto Found = Failures.find({Which, Call});
    if (Found == Failures.end()) {
      return false;
    }
    *Status = Found->second;
    return true;
  }

 private:
  std::map<SERVICE, unsigned> CallCounts;
  std::map<std::pair<SERVICE, unsigned>, EFI_STATUS> Failures;
};

}  // namespace fake
