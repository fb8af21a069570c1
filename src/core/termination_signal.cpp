#include "core/termination_signal.h"

#include <algorithm>
#include <csignal>

namespace
{
// The one piece of state a signal handler may safely touch. It only ever goes
// from 0 to 1.
volatile std::sig_atomic_t gEndRequested = 0;

// How often a wait looks whether an end was requested: well within the second
// the desktop gives a program to end.
constexpr Uint32 WAKE_UP_MS = 50;

extern "C" void NoteEndRequest(int)
{
    gEndRequested = 1;
}
} // namespace

namespace TerminationSignal
{
void Install()
{
#if defined(__unix__) || defined(__APPLE__)
    struct sigaction action
    {
    };
    action.sa_handler = NoteEndRequest;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    {
        sigaction(signal, &action, nullptr);
    }
    // Messages on a closed pipe must not kill the program before it has
    // written what it keeps.
    std::signal(SIGPIPE, SIG_IGN);
#else
    std::signal(SIGTERM, NoteEndRequest);
    std::signal(SIGINT, NoteEndRequest);
#endif
}

bool Requested()
{
    return gEndRequested != 0;
}

void Sleep(Uint32 milliseconds)
{
    while (milliseconds > 0 && !Requested())
    {
        const Uint32 slice = std::min(milliseconds, WAKE_UP_MS);
        SDL_Delay(slice);
        milliseconds -= slice;
    }
}

void WaitForEvent()
{
    while (!Requested() && SDL_WaitEventTimeout(nullptr, static_cast<int>(WAKE_UP_MS)) == 0)
    {
    }
}
} // namespace TerminationSignal
