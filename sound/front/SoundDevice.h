#pragma once

#include "sound/front/FileFeed.h"

#include <QByteArray>
#include <SDL_audio.h>

#include <atomic>
#include <list>
#include <memory>
#include <vector>

// SDL's audio device, mixing two channels of its own: the built-in tones (a new one cuts the
// old) and the user's file, fed from its reader. Every call may wait on the sound server, so
// only the sound thread (SdlAudioOut's) makes them; the mixer itself never waits.
class SoundDevice
{
public:
    SoundDevice() = default;
    ~SoundDevice() { close(); }
    SoundDevice(const SoundDevice &) = delete;
    SoundDevice &operator=(const SoundDevice &) = delete;

    // Opens the device if it is not open; one the server took away is opened afresh, the file
    // sounding in it going on where it was. False when there is no sound output.
    bool open();
    void close();
    bool isOpen() const { return m_device != 0; }
    // The device no longer plays: the server stopped, restarted or removed the sink. Some
    // drivers say so; with the others, the mixer has not been asked for samples for a while.
    bool lost() const;

    // Starts a tone from its start; bytes that cannot be played give silence, never a substitute.
    void playTone(const QByteArray &wave);
    void playFile(std::shared_ptr<FileFeed> file);
    void silence();
    // A tone or a file is still in the mixer.
    bool sounding();

    // The format samples go out in: 16-bit stereo at 44.1 kHz, whatever the hardware takes.
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
    std::shared_ptr<FileFeed> m_file;
    std::vector<Sint16> m_fileScratch;
    // When the mixer last ran, in SDL's milliseconds.
    std::atomic<Uint64> m_lastMixMs{0};
};
