// Members of AlarmMain (alarm/AlarmMain.h), kept with the area they belong to.
// The user's own wave file, played to its end or until Stop.
#include "alarm/AlarmMain.h"

#include "sound/AudioOut.h"
#include "toolkit/Clock.h"

namespace {

// A file not sounding this long after its start sits on a storage that does not answer (or
// reads slower than it plays): the ring goes on without it. (One that stops answering mid-way
// is found by the output, as unplayable.)
constexpr qint64 FileStartsWithinMs = 1000;

} // namespace

bool AlarmMain::PlayWave(const QString &WaveFile)
{
    // A file that cannot be opened plays nothing and says nothing; nothing stays open either way.
    AudioOut &audio = m_services.audio;
    if (!audio.startFile(WaveFile))
        return false;
    const qint64 started = m_services.clock.elapsedMs();
    const auto done = [&] {
        switch (audio.filePlay()) {
        case AudioOut::FilePlay::Opening:
            return m_services.clock.elapsedMs() - started >= FileStartsWithinMs;
        case AudioOut::FilePlay::Sounding:
            return false;
        case AudioOut::FilePlay::Ended:
        case AudioOut::FilePlay::Unplayable:
            break;
        }
        return true;
    };
    if (m_services.waitWhilePlaying)
        m_services.waitWhilePlaying(done);
    const AudioOut::FilePlay play = audio.filePlay();
    // Given up on, or the wait ended because the program is closing (and there is none with an
    // output that plays a file at once, as in tests): the file must not sound on.
    if (play != AudioOut::FilePlay::Ended)
        audio.stop();
    return play == AudioOut::FilePlay::Sounding || play == AudioOut::FilePlay::Ended;
}
