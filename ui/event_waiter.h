// Keeps the window painting while a sound cue blocks a game call.
#pragma once

#include <chrono>

namespace marvesto {

// Handles every pending and arriving event except user input for the given
// time, sleeping while there is nothing to do, and returns when it is over.
// Held-back input reaches the window once the event loop runs again.
void WaitProcessingEvents(std::chrono::milliseconds duration);

} // namespace marvesto
