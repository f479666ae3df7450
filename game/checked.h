// Checked 16-bit counters and bounds-checked arrays with fixed index ranges.
#pragma once

#include "run_time_error.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace marvesto {

// Adds one to a 16-bit counter, raising a run-time error instead of wrapping.
inline void Increment(std::int16_t& counter) {
    if (counter == std::numeric_limits<std::int16_t>::max()) {
        throw RunTimeError("Overflow: a 16-bit counter passed " +
                           std::to_string(std::numeric_limits<std::int16_t>::max()));
    }
    ++counter;
}

// An array indexed First..Last; any other index raises a run-time error.
template <typename T, int First, int Last>
class BoundedArray {
    static_assert(First <= Last);

public:
    T& operator[](int index) { return values_[Offset(index)]; }
    const T& operator[](int index) const { return values_[Offset(index)]; }
    void Fill(const T& value) { values_.fill(value); }

private:
    static std::size_t Offset(int index) {
        if (index < First || index > Last) {
            throw RunTimeError("Subscript out of range: " + std::to_string(index) + " is outside " +
                               std::to_string(First) + ".." + std::to_string(Last));
        }
        return static_cast<std::size_t>(index - First);
    }

    std::array<T, Last - First + 1> values_{};
};

} // namespace marvesto
