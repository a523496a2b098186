// Members of AlarmMain (alarm/AlarmMain.h), kept with the area they belong to.
// The user's own wave file, played to its end or until Stop.
#include "alarm/AlarmMain.h"

#include "sound/AudioOut.h"

bool AlarmMain::PlayWave(const QString &WaveFile)
{
    // A file that cannot be opened plays nothing and says nothing; nothing stays open either way.
    AudioOut &audio = m_services.audio;
    if (!audio.startFile(WaveFile))
        return false;
    const auto done = [&audio] { return !audio.fileSounding(); };
    if (m_services.waitWhilePlaying)
        m_services.waitWhilePlaying(done);
    // The wait also ends when the program is closing (and there is none with an output that
    // plays a file at once, as in tests): the file must not sound on.
    if (!done())
        audio.stop();
    return true;
}
