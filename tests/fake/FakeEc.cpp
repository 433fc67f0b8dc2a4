#include "tests/fake/FakeEc.h"

#include <cstdio>

namespace fake {

std::string Describe(const std::vector<PortAccess> &Log) {
  std::string Text;
  for (const PortAccess &Access : Log) {
    char Entry[48];
    std::snprintf(Entry, sizeof(Entry), "%s%c%02X=%02X", Text.empty() ? "" : " ", Access.Write ? 'W' : 'R',
                  Access.Port, Access.Value);
    Text += Entry;
    if (Access.Count != 1) {
      Text += " x" + std::to_string(Access.Count);
    }
  }
  return Text;
}

void EcModel::Record(bool Write, UINT16 Port, UINT8 Value) {
  if (!Log.empty()) {
    PortAccess &Last = Log.back();
    if (Last.Write == Write && Last.Port == Port && Last.Value == Value) {
      Last.Count++;
      return;
    }
  }
  Log.push_back({Write, Port, Value, 1});
}

UINT8 EcModel::Read(UINT16 Port) {
  if (!Started) {
    Started = true;
    BusyLeft = InitialBusyReads;
  }
  UINT8 Value;
  if (IsStatusPort(Port)) {
    if (StuckStatus) {
      Value = *StuckStatus;
    } else {
      Value = Output.empty() ? 0 : 0x01;
      if (BusyLeft > 0) {
        Value |= 0x02;
        BusyLeft--;
      }
    }
  } else if (!Output.empty()) {
    Value = Output.front();
    Output.pop_front();
  } else {
    Value = EmptyDataValue;
  }
  Record(false, Port, Value);
  return Value;
}

void EcModel::Write(UINT16 Port, UINT8 Value) {
  Started = true;
  Record(true, Port, Value);
  BusyLeft = BusyReadsAfterWrite;
  if (IsStatusPort(Port)) {
    CommandsWritten.push_back(Value);
    auto Answer = Answers.find(Value);
    if (Answer != Answers.end()) {
      Output.push_back(Answer->second);
    }
  } else {
    DataWritten.push_back(Value);
  }
}

}  // namespace fake
