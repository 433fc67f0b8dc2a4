// The output pause: the next plain flush waits for a key stroke.
#include "print/PageBreak.h"
#include "print/PageBreakState.h"
#include "runtime/RuntimeContext.h"

VOID AwaitOutputPause() {
  EFI_SIMPLE_TEXT_INPUT_PROTOCOL *ConIn = RuntimeContext.SystemTable->ConIn;
  EFI_INPUT_KEY Key = {};
  // Polled, not waited for: the key that ends the pause is discarded.
  while (IsError(ConIn->ReadKeyStroke(ConIn, &Key))) {
  }
  SetOutputPause(FALSE);
}

VOID SetOutputPause(BOOLEAN On) {
  // A key notification at TPL_NOTIFY or below may set the flag too.
  EFI_TPL Previous = RuntimeContext.BootServices->RaiseTPL(TPL_NOTIFY);
  PageBreakState.OutputPause = On;
  RuntimeContext.BootServices->RestoreTPL(Previous);
}
