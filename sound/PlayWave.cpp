// The user's own wave file, played to its end or until Stop.
#include "alarm/AlarmMain.h"

#include "sound/AudioOut.h"

#include <QThread>

bool AlarmMain::PlayWave(const QString &WaveFile)
{
    // A file that cannot be opened plays nothing and says nothing; nothing stays open either way.
    AudioOut &audio = m_services.audio;
    if (!audio.startFile(WaveFile))
        return false;
    const auto done = [&audio] { return !audio.fileSounding(); };
    if (m_services.waitWhilePlaying) {
        m_services.waitWhilePlaying(done);
    } else {
        while (!done())
            QThread::msleep(5);
    }
    // The wait also ends when the program is closing: the file must not sound on.
    if (!done())
        audio.stop();
    return true;
}
