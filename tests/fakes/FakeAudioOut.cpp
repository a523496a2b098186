#include "FakeAudioOut.h"

void FakeAudioOut::playInBackground(const QByteArray &wave)
{
    tones.append(wave);
    sounding = deviceAvailable;
}

void FakeAudioOut::stop()
{
    ++stops;
    sounding = false;
}

bool FakeAudioOut::playToEnd(const QByteArray &wave)
{
    if (!deviceAvailable)
        return false;
    files.append(wave);
    return true;
}
