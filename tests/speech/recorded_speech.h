#pragma once

// What a recording of a sink's monitor (parecord, 22050 Hz, mono, 16-bit WAV) holds.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace narrix::testing {

// Seconds of loud audio (10 ms stretches above an RMS of 300); -1 when the file cannot be read.
inline double loudSeconds(const QString& wavPath)
{
    QFile file(wavPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0)
        return -1;
    std::vector<std::int16_t> samples(
        static_cast<std::size_t>(std::max<qsizetype>(0, bytes.size() - data - 8) / 2));
    std::memcpy(samples.data(), bytes.constData() + data + 8, samples.size() * 2);
    std::size_t loud = 0;
    for (std::size_t i = 0; i + 220 <= samples.size(); i += 220) {
        double sum = 0;
        for (std::size_t k = i; k < i + 220; ++k)
            sum += static_cast<double>(samples[k]) * samples[k];
        if (std::sqrt(sum / 220) > 300)
            ++loud;
    }
    return static_cast<double>(loud) * 0.01;
}

} // namespace narrix::testing
