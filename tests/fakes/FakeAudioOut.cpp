#include "FakeAudioOut.h"

#include "sound/WaveFile.h"

#include <QFile>

void FakeAudioOut::playInBackground(const QByteArray &wave)
{
    tones.append(wave);
    sounding = deviceAvailable;
}

void FakeAudioOut::stop()
{
    ++stops;
    sounding = false;
    fileOpening = false;
}

bool FakeAudioOut::playable(const QString &path) const
{
    return readWaveLayout(path).has_value() && !undecodable.contains(path);
}

bool FakeAudioOut::startFile(const QString &path)
{
    if (!deviceAvailable || !playable(path))
        return false;
    fileOpening = fileOpensNever;
    QFile file(path);
    files.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    return true;
}
