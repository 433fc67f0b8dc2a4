// The console pager's process-wide values, all zero at load. The format
// engine reads Quit, Enabled and OutputPause.
#pragma once

#include "platform/EfiTypes.h"

struct PAGE_BREAK_STATE {
  BOOLEAN Enabled;
  BOOLEAN InsertLineBreaks;
  UINTN Rows;
  UINTN Columns;
  UINTN RestartRow;
  UINTN RowCount;
  UINTN ColumnCount;
  BOOLEAN Quit;
  BOOLEAN OutputPause;
};

extern PAGE_BREAK_STATE PageBreakState;
