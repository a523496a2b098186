#pragma once

#include <QByteArray>
#include <QString>

class QTemporaryDir;

// Builds small wave files for tests: 16-bit PCM mono at 22050 Hz, a sine at half scale.
QByteArray sineWave(double seconds, double frequency = 440.0);

// A wave file's header of any format, up to the data chunk's size: its data follows it.
struct WaveFormat
{
    quint16 tag; // 1 PCM, 2 MS ADPCM, 3 IEEE float, 0x31 GSM 6.10, 0x55 MPEG layer 3
    quint16 channels;
    quint32 rate;
    quint16 bits;
    quint16 blockAlign;
    QByteArray extra; // what follows the 16 common bytes of the format chunk
};
QByteArray waveHeader(const WaveFormat &format, quint32 dataSize);

// The loud frames of SDL's disk output (16-bit stereo): the first and the last (-1 when all is
// silence), and how many. A frame is loud when either channel passes the threshold, by default
// well above the noise of silence and well below any tone.
struct LoudFrames
{
    qsizetype first = -1;
    qsizetype last = -1;
    qsizetype count = 0;
};
LoudFrames loudFrames(const QByteArray &raw, int threshold = 200);

// Whether bytes make a whole wave file, as the program reads one from disk.
bool isWholeWaveFile(const QByteArray &bytes);

// Writes bytes to a new file in dir and returns its path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
