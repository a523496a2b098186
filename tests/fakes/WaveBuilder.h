#pragma once

#include <QByteArray>
#include <QString>

class QTemporaryDir;

// Builds small wave files for tests: 16-bit PCM mono at 22050 Hz, a sine at half scale.
QByteArray sineWave(double seconds, double frequency = 440.0);

// Writes bytes to a new file in dir and returns its path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
