#include "ectool/EcToolMain.h"

#include "ectool/CommandLine.h"
#include "ectool/EcHostInterface.h"
#include "print/Print.h"
#include "runtime/RuntimeContext.h"
#include "runtime/ShellAttach.h"

namespace {

struct BIND_FAILURE_LINE {
  EC_BIND_FAILURE Failure;
  const CHAR16 *Line;
};

constexpr BIND_FAILURE_LINE BindFailureLines[] = {
    {EcBindOutOfResources, u"Out of resources\n"},
    {EcBindLocateError, u"Locate handle error\n"},
    {EcBindProtocolError, u"Handle protocol or configuration error\n"},
};

VOID PrintBindFailure(EC_BIND_FAILURE Failure) {
  for (const BIND_FAILURE_LINE &Entry : BindFailureLines) {
    if (Entry.Failure == Failure) {
      PrintToConsole(Entry.Line);
    }
  }
}

}  // namespace

EFI_STATUS EFIAPI EcToolMain(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  // Its status needs no test: without the shell the image has already ended.
  AttachShell(ImageHandle, SystemTable);
  EC_BIND_FAILURE Failure = EcBindNoError;
  EFI_STATUS Status = EcBindRootBridge(&Failure);
  if (Failure != EcBindNoError) {
    PrintBindFailure(Failure);
    return Status;
  }
  // Whatever the arguments and the EC do, the run ends with the binding's
  // status.
  EFI_SHELL_INTERFACE *Shell = RuntimeContext.ShellInterface;
  RunCommandLine(Shell->Argc, Shell->Argv);
  return Status;
}
