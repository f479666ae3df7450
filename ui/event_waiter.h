// Keeps the window alive while a sound cue blocks a game call.
#pragma once

#include <chrono>

namespace marvesto {

// Handles every pending and arriving event for the given time, sleeping while
// there is nothing to do, and returns when it is over. Clicks and keys reach
// the controls shown at the moment they are made; the game driver holds the
// calls they ask for until the running call has returned.
void WaitProcessingEvents(std::chrono::milliseconds duration);

} // namespace marvesto
