// Stores the fields we set into a Windows device control block, keeping the
// ones we leave to the driver (EofChar, EvtChar, the reserved fields).
#pragma once

// Our CE_* constants must be declared before <windows.h> defines its
// macros of the same names and values.
#include "serial/LineMapping_win32.h"

#include <windows.h>

void StoreDcbFields(const TDcbFields& fields, DCB& dcb);
