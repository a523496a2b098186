#include "WaveBuilder.h"
#include "sound/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstdlib>

namespace {
void put32(QByteArray &b, quint32 v)
{
    char raw[4];
    qToLittleEndian(v, raw);
    b.append(raw, 4);
}
void put16(QByteArray &b, quint16 v)
{
    char raw[2];
    qToLittleEndian(v, raw);
    b.append(raw, 2);
}
} // namespace

QByteArray waveHeader(const WaveFormat &f, quint32 dataSize)
{
    QByteArray b("RIFF");
    put32(b, quint32(4 + 8 + 16 + f.extra.size() + 8) + dataSize);
    b.append("WAVEfmt ");
    put32(b, quint32(16 + f.extra.size()));
    put16(b, f.tag);
    put16(b, f.channels);
    put32(b, f.rate);
    put32(b, f.rate * f.blockAlign); // bytes per second
    put16(b, f.blockAlign);
    put16(b, f.bits);
    b.append(f.extra);
    b.append("data");
    put32(b, dataSize);
    return b;
}

QByteArray sineWave(double seconds, double frequency)
{
    constexpr quint32 rate = 22050;
    const quint32 frames = quint32(seconds * rate);
    QByteArray b = waveHeader({1, 1, rate, 16, 2, {}}, frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        put16(b, quint16(qint16(16000 * std::sin(2 * M_PI * frequency * i / rate))));
    return b;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
}

bool isWholeWaveFile(const QByteArray &bytes)
{
    QTemporaryDir dir;
    return readWaveLayout(writeFile(dir, QStringLiteral("wave.wav"), bytes)).has_value();
}

LoudFrames loudFrames(const QByteArray &raw, int threshold)
{
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    LoudFrames loud;
    for (qsizetype i = 0; i < raw.size() / 4; ++i) {
        if (std::abs(samples[2 * i]) > threshold || std::abs(samples[2 * i + 1]) > threshold) {
            if (loud.first < 0)
                loud.first = i;
            loud.last = i;
            ++loud.count;
        }
    }
    return loud;
}
