// SIGTERM, SIGINT and SIGHUP as a close request, seen at once in every state.
#pragma once

namespace tk::sdl {

// Installs, once per process and before SDL starts (which then leaves them alone), the
// handlers of the three signals a desktop or a terminal sends to end a program. A handler
// may call nearly nothing, so it only notes the signal and wakes a thread of its own,
// which puts a quit event in SDL's queue (that ends any wait of the frame loop). A second
// such signal ends the program at once.
void CatchCloseSignals();
// A close signal has arrived.
bool CloseSignalled();

}  // namespace tk::sdl
