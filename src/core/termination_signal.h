#pragma once

#include <SDL.h>

// Log-out, `timeout`, a service manager, a closed terminal and Ctrl+C ask the
// program to end (SIGTERM, SIGHUP, SIGINT). The handler only notes the request;
// the frame loop sees it at its next pass and ends the program the orderly way,
// as quitting from the menu does. The loop's waits wake up for it.
namespace TerminationSignal
{
// Called once at program start, before anything worth keeping exists.
void Install();
bool Requested();
// Sleeps `milliseconds`, or less when an end is requested meanwhile.
void Sleep(Uint32 milliseconds);
// Waits until an event is queued (it stays queued) or an end is requested.
void WaitForEvent();
} // namespace TerminationSignal
