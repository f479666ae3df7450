#include "time_of_day_random.h"

#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <utility>

namespace marvesto {

namespace {

constexpr double kSeedScale = 10000.0;
constexpr double kSecondsPerDay = 86400.0;
// 53 random bits scaled by 2^-53 give every multiple of 2^-53 in [0, 1) and
// never 1 itself.
constexpr int kMantissaBits = 53;

} // namespace

TimeOfDayRandom::TimeOfDayRandom() : TimeOfDayRandom(LocalTimeOfDay) {}

TimeOfDayRandom::TimeOfDayRandom(Clock clock) : clock_(std::move(clock)) {}

void TimeOfDayRandom::Randomize() {
    // The seed is the time of day times 10000; all its bits count, so runs
    // started at different moments get different sequences.
    const double seed = clock_() * kSeedScale;
    engine_.seed(std::bit_cast<std::uint64_t>(seed));
}

double TimeOfDayRandom::NextUniform() {
    const auto bits = engine_() >> (64 - kMantissaBits);
    return static_cast<double>(bits) * 0x1.0p-53;
}

double LocalTimeOfDay() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const auto subsecond =
        std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds));
    const double secondsToday =
        local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + subsecond.count();
    return secondsToday / kSecondsPerDay;
}

} // namespace marvesto
