// The exception report: a fault that escapes a window or dialog message handler (in our code, or in
// a system library it called that does not handle the fault itself) or a C++ exception opens
// dialog 107 with a text report of it, over the failing window. Continue abandons the message (its
// result is 0), after giving back what the handler held (support/CallHolds.h), and goes on;
// Terminate, or Esc, ends the process with exit code 1. While the dialog is open, a further fault
// opens no second one.
#pragma once

#include <windows.h>

namespace es {

// Installs the guard of the frameworks for the calling thread, the one that runs the messages.
void InstallExceptionReport();

}  // namespace es
