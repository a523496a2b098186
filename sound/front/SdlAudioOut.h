#pragma once

#include "sound/AudioOut.h"
#include "sound/front/FileFeed.h"
#include "sound/front/SoundDevice.h"

#include <memory>
#include <thread>

// Sound through SDL, asked for from the window thread and done on a sound thread of the
// program's own: every call here hands over what to play and returns at once, so a sound
// server that hangs, or a disk that is slow, never holds up the window. The device is open
// only while something sounds and a few seconds after (a tone every half second does not
// reopen it each time); one lost while sounding is opened afresh, and opening is tried again
// at every sound, so a server that starts late or comes back after a restart is found.
class SdlAudioOut : public AudioOut
{
public:
    SdlAudioOut();
    ~SdlAudioOut() override;
    SdlAudioOut(const SdlAudioOut &) = delete;
    SdlAudioOut &operator=(const SdlAudioOut &) = delete;

    void playInBackground(const QByteArray &wave) override;
    void stop() override;
    bool canPlayFile(const QString &path) override;
    bool startFile(const QString &path) override;
    bool fileSounding() override;

    // Plays a stream already opened, as startFile does the file's own.
    bool startStream(std::unique_ptr<WaveStream> stream);
    // Opens the device and waits for it, for callers that may wait (a benchmark, a test);
    // false when there is no sound output.
    bool open();
    bool isOpen() const;

    static const SDL_AudioSpec &deviceSpec() { return SoundDevice::spec(); }
    // How long the device stays open after the last sound.
    static constexpr int GraceMs = 3000;

private:
    struct SoundThread;
    SoundThread &soundThread();

    std::shared_ptr<SoundThread> m_sound; // started at the first sound
    std::thread m_thread;
    std::shared_ptr<FileFeed> m_file;     // the file last started, until it has ended
};
