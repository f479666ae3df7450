// Keeps the high score between runs.
#pragma once

#include "currency.h"

namespace marvesto {

class HighScoreStore {
public:
    virtual ~HighScoreStore() = default;
    virtual float Load() = 0;
    // Replaces the stored high score with the amount; deciding whether the
    // amount beats the old one is the caller's business.
    virtual void Save(Currency amount) = 0;
};

} // namespace marvesto
