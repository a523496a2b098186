#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
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

// The file at path opened for reading, when it is a regular readable file: a pipe or a device
// would block the read or never end. Nothing otherwise.
std::unique_ptr<QFile> openWaveFile(const QString &path);

// The layout of a whole wave file: the header, a format chunk, and a data chunk that is not empty
// and not cut short (whether its encoding can be decoded is another question). Read from its
// chunk headers alone, so a file of any size costs the same; a format chunk or a run of chunks
// larger than any playable file needs is refused rather than read. Nothing when data does not
// hold such a file, read from its start.
std::optional<WaveLayout> readWaveLayout(QIODevice &data);
// The same, of the file at path.
std::optional<WaveLayout> readWaveLayout(const QString &path);
