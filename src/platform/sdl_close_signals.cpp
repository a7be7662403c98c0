// Close signals: a handler that notes and wakes, a thread that tells SDL and the waits; message boxes answered on a thread of their own.
#include "platform/sdl_close_signals.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>

namespace tk::sdl {

namespace {

std::atomic<bool> gSignalled{false};
int gWakePipe[2] = {-1, -1};

// What a wait for a message box watches: the box answered, or a close signal.
std::mutex gWaitMutex;
std::condition_variable gWaitChange;

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
        { const std::lock_guard<std::mutex> lock(gWaitMutex); }
        gWaitChange.notify_all();
    }
}

// SDL shows a message box on X11 from a process of its own, a child of the game's, which
// would stand on after the game ended. The game starts no other process, so every child
// it has is such a box.
void EndBoxProcesses() {
    DIR* proc = ::opendir("/proc");
    if (!proc) return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0') continue;
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        // "pid (name) state ppid ...": the name may hold anything, the last ')' ends it.
        const auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        long parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &parent) == 2 && parent == self)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
    ::closedir(proc);
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

MessageBoxCall& messageBoxCall() {
    static MessageBoxCall call = SDL_ShowSimpleMessageBox;
    return call;
}

void ShowMessageBox(Uint32 flags, const std::string& title, const std::string& text, SDL_Window* parent) {
    if (CloseSignalled()) return;  // the program is ending: nobody is left to answer
    // The box waits for its answer on a thread of its own, so that the frame loop's
    // thread can leave it standing when the program is asked to end.
    auto answered = std::make_shared<bool>(false);
    std::thread([answered, flags, title, text, parent, call = messageBoxCall()] {
        call(flags, title.c_str(), text.c_str(), parent);
        {
            const std::lock_guard<std::mutex> lock(gWaitMutex);
            *answered = true;
        }
        gWaitChange.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(gWaitMutex);
    gWaitChange.wait(lock, [&] { return *answered || CloseSignalled(); });
    if (!*answered) EndBoxProcesses();
}

}  // namespace tk::sdl
