#include "test_wav.h"

#include "files.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>

#include <cmath>
#include <numbers>

namespace marvesto::testing {

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
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (const std::int16_t sample : samples) {
        out << sample;
    }
    return bytes.toStdString();
}

std::string WavFileBytes(const std::vector<std::int16_t>& samples, WavFormat format) {
    const std::string data = SampleBytes(samples);
    const auto channels = static_cast<quint16>(format.channels);
    const auto rate = static_cast<quint32>(format.rate);
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // RIFF, then the format of 16-bit PCM, then the samples.
    out.writeRawData("RIFF", 4);
    out << static_cast<quint32>(36 + data.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32{16} << quint16{1} << channels << rate << rate * 2 * channels
        << static_cast<quint16>(2 * channels) << quint16{16};
    out.writeRawData("data", 4);
    out << static_cast<quint32>(data.size());
    return header.toStdString() + data;
}

void WriteToneWav(const std::string& path, std::chrono::milliseconds length, WavFormat format) {
    WriteBytes(path, WavFileBytes(ToneSamples(length, format), format));
}

} // namespace marvesto::testing
