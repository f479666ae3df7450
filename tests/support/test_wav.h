// Short WAV files of known content for the sound tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace marvesto::testing {

struct WavFormat {
    int rate = 44100;
    int channels = 1;
};

// Interleaved 16-bit samples of a tone lasting `length`. No sample is zero,
// so the cue can be told apart from the silence a device pads it with.
std::vector<std::int16_t> ToneSamples(std::chrono::milliseconds length, WavFormat format);
// The samples as the little-endian bytes a WAV file and an SDL device hold.
std::string SampleBytes(const std::vector<std::int16_t>& samples);
// A complete 16-bit PCM WAV file holding the samples.
std::string WavFileBytes(const std::vector<std::int16_t>& samples, WavFormat format);

void WriteToneWav(const std::string& path, std::chrono::milliseconds length, WavFormat format = {});

} // namespace marvesto::testing
