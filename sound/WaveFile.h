#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whether bytes are a whole RIFF WAVE file: the header, a format chunk, and a data chunk
// that is not empty and not cut short. Says nothing of whether the encoding can be decoded.
bool isWholeWaveFile(const QByteArray &bytes);

// Reads a wave file as the player opens it: a regular file that can be read and is a whole
// wave file. Nothing when it cannot be opened; never blocks on a pipe or device.
std::optional<QByteArray> readWaveFile(const QString &path);
