#pragma once

#include "sound/AudioOut.h"
#include "sound/front/WaveStream.h"

#include <QTimer>
#include <SDL_audio.h>

#include <atomic>
#include <list>
#include <memory>
#include <vector>

// Sound through SDL's audio device, mixing two channels of its own: the built-in tones (a new
// one cuts the old) and the user's file, streamed. The device is open only while something
// sounds, and a few seconds after (so a tone every half second does not reopen it each time);
// then the device, its stream and its thread are gone. Opening is tried again at every sound
// that needs it, so a sound server that starts late or comes back after a restart is found.
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

    // Opens the device if it is not open (or was lost); false when there is no sound output.
    bool open();
    bool isOpen() const { return m_device != 0; }
    // Closes the device now if nothing sounds; the grace timer calls it.
    void closeWhenQuiet();
    // The format samples go out in: 16-bit stereo at 44.1 kHz, whatever the hardware takes.
    static const SDL_AudioSpec &deviceSpec();
    // How long the device stays open after the last sound.
    static constexpr int GraceMs = 3000;

private:
    // A tone decoded once and kept while the device is open: starting it again hands over the
    // same samples, so the start costs the same whatever the tone's length.
    struct DecodedTone
    {
        QByteArray wave;
        std::vector<Sint16> samples;
    };

    bool decode(const QByteArray &wave, std::vector<Sint16> &samples) const;
    void close();
    static void mix(void *self, Uint8 *stream, int length);

    SDL_AudioDeviceID m_device = 0;
    // A list: adding a tone never moves the samples the mixer may be reading.
    std::list<DecodedTone> m_tones;
    // Guarded by the device's lock, read by the mixer.
    const std::vector<Sint16> *m_tone = nullptr;
    std::size_t m_tonePosition = 0;
    std::unique_ptr<WaveStream> m_file;
    std::vector<Sint16> m_fileScratch;
    // Set by the mixer when the file has played to its end; read without the lock.
    std::atomic<bool> m_fileEnded{false};
    QTimer m_grace;
};
