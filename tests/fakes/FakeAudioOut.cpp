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

bool FakeAudioOut::canPlayFile(const QString &path)
{
    return readWaveLayout(path).has_value() && !undecodable.contains(path);
}

bool FakeAudioOut::startFile(const QString &path)
{
    if (!deviceAvailable || !canPlayFile(path))
        return false;
    fileOpening = fileOpensNever;
    QFile file(path);
    files.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    return true;
}
