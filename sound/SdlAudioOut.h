#pragma once

#include "sound/AudioOut.h"

#include <vector>

struct Mix_Chunk;

// Sound through SDL2_mixer. The device opens at the first sound; when none can be opened
// the program stays silent: tones play nothing and files report that they cannot be played.
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

private:
    // A tone decoded once and kept: starting it again hands the mixer the same samples, so
    // the start costs the same whatever the tone's length.
    struct DecodedTone
    {
        QByteArray wave;
        Mix_Chunk *chunk;
    };
    Mix_Chunk *decodedTone(const QByteArray &wave);

    enum class State { Closed, Open, Unavailable };
    State m_state = State::Closed;
    std::vector<DecodedTone> m_tones;
};
