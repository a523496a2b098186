#include "sound/PlayWave.h"

#include "sound/AudioOut.h"
#include "toolkit/Clock.h"

bool PlayWave(AudioOut &audio, const Clock &clock, const QString &WaveFile, const WaitWhilePlaying &waitWhilePlaying)
{
    // A file that cannot be opened plays nothing and says nothing; nothing stays open either way.
    if (!audio.startFile(WaveFile))
        return false;
    const qint64 started = clock.elapsedMs();
    const auto done = [&] {
        switch (audio.filePlay()) {
        // Not sounding yet: the ring goes on without a file whose storage does not answer. (One
        // that stops answering mid-way is found by the output, as unplayable.)
        case AudioOut::FilePlay::Opening: return clock.elapsedMs() - started >= AudioOut::StorageAnswersWithinMs;
        case AudioOut::FilePlay::Sounding: return false;
        case AudioOut::FilePlay::Ended:
        case AudioOut::FilePlay::Unplayable: break;
        }
        return true;
    };
    if (waitWhilePlaying)
        waitWhilePlaying(done);
    const AudioOut::FilePlay play = audio.filePlay();
    // Given up on, or the wait ended because the program is closing (and there is none with an
    // output that plays a file at once, as in tests): the file must not sound on.
    if (play != AudioOut::FilePlay::Ended)
        audio.stop();
    return play == AudioOut::FilePlay::Sounding || play == AudioOut::FilePlay::Ended;
}
