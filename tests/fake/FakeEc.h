// A model of an EC behind the ACPI EC host interface, with a log of every
// port access. Runs of identical accesses are kept as one entry with a count,
// so that a wait of millions of reads stays comparable as a whole log.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/EfiTypes.h"

namespace fake {

struct PortAccess {
  bool Write;
  UINT16 Port;
  UINT8 Value;
  uint64_t Count;
  bool operator==(const PortAccess &) const = default;
};

// "R66=00", "W66=AC", "R66=02 x3": the log written as text for comparison.
std::string Describe(const std::vector<PortAccess> &Log);

class EcModel {
 public:
  // Status reads at the status port hold IBF for this many reads after each
  // byte written to either port, and for InitialBusyReads at the start.
  unsigned BusyReadsAfterWrite = 0;
  unsigned InitialBusyReads = 0;
  // Bytes the EC has ready for the host: OBF is set while any is left, and
  // each read of the data port takes one.
  std::deque<UINT8> Output;
  // A command byte found here queues its answer in Output once written.
  std::map<UINT8, UINT8> Answers;
  // When set, every status read returns this value (an EC that never answers).
  std::optional<UINT8> StuckStatus;
  // What the data port reads when the EC has nothing for the host.
  UINT8 EmptyDataValue = 0;

  std::vector<PortAccess> Log;
  // The bytes written to the command and data ports, in order.
  std::vector<UINT8> CommandsWritten;
  std::vector<UINT8> DataWritten;

  UINT8 Read(UINT16 Port);
  void Write(UINT16 Port, UINT8 Value);

 private:
  bool IsStatusPort(UINT16 Port) const { return Port == 0x66 || Port == 0x6C; }
  void Record(bool Write, UINT16 Port, UINT8 Value);
  unsigned BusyLeft = 0;
  bool Started = false;
};

}  // namespace fake
