#include "WaveBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

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

QByteArray sineWave(double seconds, double frequency)
{
    constexpr quint32 rate = 22050;
    const quint32 frames = quint32(seconds * rate);
    QByteArray b("RIFF");
    put32(b, 36 + frames * 2);
    b.append("WAVEfmt ");
    put32(b, 16);
    put16(b, 1);        // PCM
    put16(b, 1);        // mono
    put32(b, rate);
    put32(b, rate * 2); // bytes per second
    put16(b, 2);        // block align
    put16(b, 16);       // bits
    b.append("data");
    put32(b, frames * 2);
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
