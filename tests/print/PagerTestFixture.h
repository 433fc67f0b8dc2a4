// The print fixture with event services, and expected console transcripts
// written as lists of pieces.
#pragma once

#include <initializer_list>
#include <string>

#include "print/PageBreak.h"
#include "print/PageBreakState.h"
#include "tests/fake/FakeEvents.h"
#include "tests/print/PrintTestFixture.h"

namespace fake {

inline const std::u16string Prompt = u"Press ENTER to continue, 'q' to exit:";

// The transcript of a console that received exactly these pieces of text.
inline std::string Pieces(std::initializer_list<std::u16string> Texts) {
  std::string Transcript;
  for (const std::u16string &Text : Texts) {
    Transcript += "\"" + Narrow(Text) + "\"";
  }
  return Transcript;
}

struct PagerTest : PrintTest {
  FakeEvents Events{Firmware};
};

}  // namespace fake
