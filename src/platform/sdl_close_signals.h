// SIGTERM, SIGINT and SIGHUP as a close request, seen at once in every state, a message box standing included.
#pragma once

#include <SDL.h>

#include <string>

namespace tk::sdl {

// Installs, once per process and before SDL starts (which then leaves them alone), the
// handlers of the three signals a desktop or a terminal sends to end a program. A handler
// may call nearly nothing, so it only notes the signal and wakes a thread of its own,
// which puts a quit event in SDL's queue (that ends any wait of the frame loop) and wakes
// a standing message box's wait. A second such signal ends the program at once.
void CatchCloseSignals();
// A close signal has arrived.
bool CloseSignalled();

// How a message box is shown and answered; tests replace it with one that stands until
// the program ends.
using MessageBoxCall = int (*)(Uint32 flags, const char* title, const char* text, SDL_Window* parent);
MessageBoxCall& messageBoxCall();

// Shows a message box and waits until it is answered or a close signal arrives, which
// ends the box's own process (SDL shows it from a child process on X11).
void ShowMessageBox(Uint32 flags, const std::string& title, const std::string& text, SDL_Window* parent);

}  // namespace tk::sdl
