#pragma once

#include "sound/front/SoundModule.h"

#include <SDL_audio.h>

#include <atomic>
#include <list>
#include <memory>
#include <vector>

// SDL's audio device, with a mixer of its own over the two channels. SDL converts to whatever
// the hardware takes.
class SdlDevice : public OutputDevice
{
public:
    SdlDevice() = default;
    ~SdlDevice() override { close(); }
    SdlDevice(const SdlDevice &) = delete;
    SdlDevice &operator=(const SdlDevice &) = delete;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_device != 0; }
    // Some drivers say the device stopped; with the others, the mixer has not been asked for
    // samples for a while.
    bool lost() const override;
    void playTone(const QByteArray &wave) override;
    void playFile(std::shared_ptr<SampleSource> file) override;
    void silence() override;
    bool sounding() override;

    // The device's format (DeviceFormat) as SDL spells it.
    static const SDL_AudioSpec &spec();

private:
    // A tone decoded once and kept while the device is open: starting it again hands over the
    // same samples, so the start costs the same whatever the tone's length.
    struct DecodedTone
    {
        QByteArray wave;
        std::vector<Sint16> samples;
    };

    bool openDevice();
    static bool decode(const QByteArray &wave, std::vector<Sint16> &samples);
    static void mix(void *self, Uint8 *stream, int length);

    SDL_AudioDeviceID m_device = 0;
    // A list: adding a tone never moves the samples the mixer may be reading.
    std::list<DecodedTone> m_tones;
    // Guarded by the device's lock, read by the mixer.
    const std::vector<Sint16> *m_tone = nullptr;
    std::size_t m_tonePosition = 0;
    std::shared_ptr<SampleSource> m_file;
    std::vector<Sint16> m_fileScratch;
    // When the mixer last ran, in SDL's milliseconds.
    std::atomic<Uint64> m_lastMixMs{0};
};
