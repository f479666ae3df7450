// Keeps the window alive while a sound cue blocks a game call.
#pragma once

#include "program_exit.h"

#include <chrono>

namespace marvesto {

// Handles every pending and arriving event for the given time, sleeping while
// there is nothing to do, and returns when it is over; throws ProgramClosed
// as soon as the program has been told to end. Clicks and keys reach the
// controls shown at the moment they are made; the game driver holds the calls
// they ask for until the running call has returned.
void WaitProcessingEvents(std::chrono::milliseconds duration);

} // namespace marvesto
