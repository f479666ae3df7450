// Keeps the window alive while a sound cue blocks a game call.
#pragma once

#include <chrono>

namespace marvesto {

// Thrown out of a wait once the program has been told to end, as by the close
// control during a cue: it unwinds the game call that was waiting, so that no
// later step of it runs, and releases the cue and its device on the way. The
// game driver takes it for the normal end it is. Not a std::exception, so
// that nothing meant for errors catches it.
struct ProgramClosed {};

// Handles every pending and arriving event for the given time, sleeping while
// there is nothing to do, and returns when it is over; throws ProgramClosed
// as soon as the program has been told to end. Clicks and keys reach the
// controls shown at the moment they are made; the game driver holds the calls
// they ask for until the running call has returned.
void WaitProcessingEvents(std::chrono::milliseconds duration);

} // namespace marvesto
