// What a broken connection to the X server does to the process: Xlib calls
// the one process-wide handler, whichever library set it last. GTK's, which
// Qt's GTK theme brings in, ends the process with _exit and so skips every
// exit handler, the session's end among them.
#pragma once

namespace native {

// From now on a broken connection, on any display of the process, ends it
// with exit(1): the exit handlers run. Called once the toolkits have set
// theirs.
void ExitOnConnectionLoss();

}  // namespace native
