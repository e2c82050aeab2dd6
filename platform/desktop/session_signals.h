// SIGTERM, SIGHUP and SIGINT (a logout, a shutdown, Ctrl+C) are taken in the
// event loop: the handler only writes to a pipe that the loop watches, and
// the loop ends the session as the user's closing would.
#pragma once

namespace desktop::session {

// From now on the three signals are caught; the first call makes the pipe.
void CatchSignals();
// The pipe's read end, or -1 before CatchSignals.
int SignalPipe();
// Empties the pipe; true when a signal had come.
bool TakeSignals();
// The default actions again (once the loop is over, a signal ends at once).
void RestoreSignals();

}  // namespace desktop::session
