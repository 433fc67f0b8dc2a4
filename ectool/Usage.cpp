#include "ectool/Usage.h"

#include "print/Print.h"

namespace {

// The blanks are part of the text as users know it; keep them.
constexpr const CHAR16 *UsageLines[] = {
    u"   Kelmtrax arg1  arg2                   \n",
    u"   arg1:Cxx  Send Hex Byte xx Command to EC \n",
    u"   arg2:Dxx  Send Hex Byte xx Data to EC    \n\n",
    u"example:   Kelmtrax C9E D01             \n",
    u"        Send Comman 0x9e Data 0x01 to EC. \n\n",
    u"example:   Kelmtrax CAC I            \n",
    u"        Send Comman 0xAC EC & Get a data. \n\n",
    u"example:   Kelmtrax CB0             \n",
    u"        Send Comman 0xB0 EC & don't get any data. \n",
};

}  // namespace

VOID PrintUsage() {
  for (const CHAR16 *Line : UsageLines) {
    PrintToConsole(Line);
  }
}
