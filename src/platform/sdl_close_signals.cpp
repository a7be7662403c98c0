// Close signals: a handler that notes and wakes, and a thread that tells SDL's queue.
#include "platform/sdl_close_signals.h"

#include <SDL.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

namespace tk::sdl {

namespace {

std::atomic<bool> gSignalled{false};
int gWakePipe[2] = {-1, -1};

void NoteSignal(int) {
    const int saved = errno;
    gSignalled = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gWakePipe[1], &byte, 1);
    errno = saved;
}

// Runs for the life of the process: every byte is a signal to pass on.
void PassSignalsOn() {
    for (;;) {
        char byte = 0;
        const ssize_t n = ::read(gWakePipe[0], &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        if (SDL_WasInit(SDL_INIT_EVENTS)) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    }
}

}  // namespace

void CatchCloseSignals() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (::pipe2(gWakePipe, O_CLOEXEC) != 0) return;
        std::thread(PassSignalsOn).detach();
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        struct sigaction action {};
        action.sa_handler = NoteSignal;
        sigemptyset(&action.sa_mask);
        // Once only: a second signal finds the default action, for a program that hangs.
        action.sa_flags = SA_RESTART | SA_RESETHAND;
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
    });
}

bool CloseSignalled() { return gSignalled; }

}  // namespace tk::sdl
