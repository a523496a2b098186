#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Where a RIFF WAVE file keeps its sound: the format chunk's bytes and the data chunk's place.
struct WaveLayout
{
    QByteArray format; // the "fmt " chunk's contents, as the file has them
    qint64 dataOffset = 0;
    qint64 dataSize = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 blockAlign = 0;
};

// The layout of a whole wave file on disk: the header, a format chunk, and a data chunk that is
// not empty and not cut short (whether its encoding can be decoded is another question). Read
// from its chunk headers alone, so a file of any size costs the same. Nothing when it is not a
// regular readable file holding a whole wave file; never blocks on a pipe or device.
std::optional<WaveLayout> readWaveLayout(const QString &path);
