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

void FakeAudioOut::checkFile(const QString &path, std::function<void(bool)> answer)
{
    const bool verdict = playable(path);
    if (holdChecks)
        heldChecks.append([answer = std::move(answer), verdict] { answer(verdict); });
    else
        answer(verdict);
}

void FakeAudioOut::answerHeldChecks()
{
    for (const auto &answer : std::exchange(heldChecks, {}))
        answer();
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
