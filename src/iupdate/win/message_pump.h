#pragma once
// Window messages processed while the library waits inside a call, so that its windows (a
// Cancel button, a timer) keep working during a transfer.

#include <functional>

namespace quillon::iupdate {

// Processes every message waiting in the thread's queue and returns. Keys go through the
// active dialog's dialog manager, so Tab, Enter and Escape behave as in its own loop. A quit
// message is put back for the thread's own loop and ends the processing.
void DoEvents();

// Processes messages, waiting for them, until bDone() holds. A quit message met meanwhile calls
// onQuit (which should make bDone() come true) and is put back once bDone() holds.
void PumpUntil(const std::function<bool()>& bDone, const std::function<void()>& onQuit);

}  // namespace quillon::iupdate
