// Stand-ins until the console pager is built: nothing turns page break on or
// sets the output pause yet, so these keep the plain path.
#include "print/PageBreak.h"

VOID PageBreakOutput(FORMAT_STATE *State) { State->Output(State->Context, State->BufferStart); }

VOID AwaitOutputPause() {}
