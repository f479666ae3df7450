#include "test_wav.h"

#include "files.h"

#include <cmath>
#include <numbers>

namespace marvesto::testing {

namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::vector<std::int16_t> ToneSamples(std::chrono::milliseconds length, WavFormat format) {
    constexpr int kPitch = 440;
    const auto frames = static_cast<int>(length.count() * format.rate / 1000);
    std::vector<std::int16_t> samples;
    for (int frame = 0; frame < frames; ++frame) {
        const double phase = 2.0 * std::numbers::pi * kPitch * frame / format.rate;
        // Riding on an offset keeps every sample away from zero.
        const auto value = static_cast<std::int16_t>(6000 + 4000 * std::sin(phase));
        for (int channel = 0; channel < format.channels; ++channel) {
            samples.push_back(static_cast<std::int16_t>(value + 100 * channel));
        }
    }
    return samples;
}

std::string SampleBytes(const std::vector<std::int16_t>& samples) {
    std::string bytes;
    for (const std::int16_t sample : samples) {
        AppendLittleEndian(bytes, static_cast<std::uint16_t>(sample), 2);
    }
    return bytes;
}

std::string WavFileBytes(const std::vector<std::int16_t>& samples, WavFormat format) {
    const std::string data = SampleBytes(samples);
    const auto blockAlign = static_cast<std::uint32_t>(2 * format.channels);
    std::string bytes = "RIFF";
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(36 + data.size()), 4);
    bytes += "WAVEfmt ";
    AppendLittleEndian(bytes, 16, 4);
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(format.channels), 2);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(format.rate), 4);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(format.rate) * blockAlign, 4);
    AppendLittleEndian(bytes, blockAlign, 2);
    AppendLittleEndian(bytes, 16, 2);
    bytes += "data";
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(data.size()), 4);
    return bytes + data;
}

bool HoldsCueBetweenSilence(const std::string& device, const std::string& cue) {
    const std::size_t at = device.find(cue);
    const auto silent = [&device](std::size_t from, std::size_t count) {
        return device.substr(from, count).find_first_not_of('\0') == std::string::npos;
    };
    return at != std::string::npos && silent(0, at) && silent(at + cue.size(), std::string::npos);
}

void WriteToneWav(const std::string& path, std::chrono::milliseconds length, WavFormat format) {
    WriteBytes(path, WavFileBytes(ToneSamples(length, format), format));
}

} // namespace marvesto::testing
