// The user's own wave file, played to its end.
#include "alarm/AlarmMain.h"

#include "sound/AudioOut.h"
#include "sound/WaveFile.h"

bool AlarmMain::PlayWave(const QString &WaveFile)
{
    // A file that cannot be opened plays nothing and says nothing; nothing stays open either way.
    const std::optional<QByteArray> wave = readWaveFile(WaveFile);
    if (!wave)
        return false;
    return m_services.audio.playToEnd(*wave);
}
