#pragma once

#include "sound/AudioOut.h"

#include <SDL_audio.h>

#include <condition_variable>
#include <mutex>
#include <vector>

// Sound through SDL's audio device, mixing two channels of its own: the built-in tones (a new
// one cuts the old) and the user's file. The device opens at the first sound; when none can
// be opened the program stays silent: tones play nothing, files report they cannot be played.
class SdlAudioOut : public AudioOut
{
public:
    SdlAudioOut() = default;
    ~SdlAudioOut() override;
    SdlAudioOut(const SdlAudioOut &) = delete;
    SdlAudioOut &operator=(const SdlAudioOut &) = delete;

    void playInBackground(const QByteArray &wave) override;
    void stop() override;
    bool playToEnd(const QByteArray &wave) override;

    // Opens the device if it is not open yet; false when there is no sound output.
    bool open();
    // The format samples go out in, once open.
    const SDL_AudioSpec &deviceSpec() const { return m_spec; }

private:
    // Samples in the device's format (16-bit stereo at 44.1 kHz), and how far they have played.
    struct Channel
    {
        const std::vector<Sint16> *samples = nullptr;
        std::size_t position = 0;
    };
    // A tone decoded once and kept: starting it again hands over the same samples, so the
    // start costs the same whatever the tone's length.
    struct DecodedTone
    {
        QByteArray wave;
        std::vector<Sint16> samples;
    };

    bool decode(const QByteArray &wave, std::vector<Sint16> &samples) const;
    static void mix(void *self, Uint8 *stream, int length);

    enum class State { Closed, Open, Unavailable };
    State m_state = State::Closed;
    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    std::vector<DecodedTone> m_tones;
    Channel m_tone; // guarded by the device's lock
    Channel m_file; // guarded by the device's lock
    std::mutex m_fileMutex;
    std::condition_variable m_fileEnded;
    bool m_fileDone = false;
};
