#include "sound/front/sdl/SdlDevice.h"
#include "sound/front/sdl/WaveStream.h"

#include <SDL.h>

#include <algorithm>
#include <limits>

namespace {

// More distinct tones than the program has; beyond it the oldest decoded one is let go.
constexpr std::size_t MaxDecodedTones = 8;
constexpr int BufferFrames = 1024;
// The mixer runs every 23 ms; this long without it, the device plays nothing any more.
constexpr Uint64 SilentMixerMs = 400;

// Holds the device's lock: the mixer does not run meanwhile.
class DeviceLock
{
public:
    explicit DeviceLock(SDL_AudioDeviceID device)
        : m_device(device)
    {
        SDL_LockAudioDevice(m_device);
    }
    ~DeviceLock() { SDL_UnlockAudioDevice(m_device); }
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

private:
    SDL_AudioDeviceID m_device;
};

void addClamped(Sint16 *out, const Sint16 *in, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = Sint16(std::clamp(int(out[i]) + int(in[i]), int(std::numeric_limits<Sint16>::min()),
                                   int(std::numeric_limits<Sint16>::max())));
}

} // namespace

const SDL_AudioSpec &SdlDevice::spec()
{
    static const SDL_AudioSpec spec = [] {
        SDL_AudioSpec s{};
        s.freq = DeviceFormat::Rate;
        s.format = AUDIO_S16SYS;
        s.channels = DeviceFormat::Channels;
        s.samples = BufferFrames;
        return s;
    }();
    return spec;
}

bool SdlDevice::lost() const
{
    return m_device != 0
        && (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED
            || SDL_GetTicks64() - m_lastMixMs.load() > SilentMixerMs);
}

bool SdlDevice::open()
{
    std::shared_ptr<SampleSource> file;
    if (lost()) {
        file = m_file;
        close();
    }
    if (m_device != 0)
        return true;
    if (!openDevice()) {
        if (file)
            file->endUnheard();
        return false;
    }
    playFile(std::move(file));
    return true;
}

bool SdlDevice::openDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want = spec();
    want.callback = &SdlDevice::mix;
    want.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &obtained, 0);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_fileScratch.assign(std::size_t(obtained.samples) * obtained.channels * 2, 0);
    m_lastMixMs = SDL_GetTicks64();
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlDevice::close()
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device); // waits for the mixer's thread to end
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_tone = nullptr;
    m_file.reset();
    m_tones.clear();
    m_fileScratch = {};
}

bool SdlDevice::decode(const QByteArray &wave, std::vector<Sint16> &samples)
{
    SDL_AudioSpec format{};
    std::vector<Uint8> decoded;
    if (!decodeWave(wave, format, decoded))
        return false;
    bool ok = false;
    const SDL_AudioSpec &device = spec();
    if (SDL_AudioStream *stream = SDL_NewAudioStream(format.format, format.channels, format.freq, device.format,
                                                     device.channels, device.freq)) {
        if (SDL_AudioStreamPut(stream, decoded.data(), int(decoded.size())) == 0 && SDL_AudioStreamFlush(stream) == 0) {
            samples.resize(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(Sint16));
            const int got = SDL_AudioStreamGet(stream, samples.data(), int(samples.size() * sizeof(Sint16)));
            samples.resize(got > 0 ? std::size_t(got) / sizeof(Sint16) : 0);
            ok = !samples.empty();
        }
        SDL_FreeAudioStream(stream);
    }
    return ok;
}

void SdlDevice::mix(void *userdata, Uint8 *stream, int length)
{
    // Runs on SDL's audio thread, the device locked: it copies samples it already has, and
    // never waits.
    auto *self = static_cast<SdlDevice *>(userdata);
    self->m_lastMixMs = SDL_GetTicks64();
    auto *out = reinterpret_cast<Sint16 *>(stream);
    const std::size_t count = std::size_t(length) / sizeof(Sint16);
    std::fill(out, out + count, Sint16(0));
    if (self->m_tone) {
        const std::vector<Sint16> &samples = *self->m_tone;
        const std::size_t n = std::min(count, samples.size() - self->m_tonePosition);
        addClamped(out, samples.data() + self->m_tonePosition, n);
        self->m_tonePosition += n;
        if (self->m_tonePosition >= samples.size())
            self->m_tone = nullptr;
    }
    if (self->m_file && !self->m_file->ended()) {
        const std::size_t n =
            self->m_file->take(self->m_fileScratch.data(), std::min(count, self->m_fileScratch.size()));
        addClamped(out, self->m_fileScratch.data(), n);
    }
}

void SdlDevice::playTone(const QByteArray &wave)
{
    auto tone = std::find_if(m_tones.begin(), m_tones.end(), [&](const DecodedTone &t) { return t.wave == wave; });
    if (tone == m_tones.end()) {
        DecodedTone decoded{wave, {}};
        if (!decode(wave, decoded.samples)) {
            DeviceLock lock(m_device);
            m_tone = nullptr;
            return;
        }
        m_tones.push_back(std::move(decoded));
        tone = std::prev(m_tones.end());
    }
    // The oldest decoded tone goes once nothing can be reading it.
    DeviceLock lock(m_device);
    m_tone = &tone->samples;
    m_tonePosition = 0;
    if (m_tones.size() > MaxDecodedTones)
        m_tones.pop_front();
}

void SdlDevice::playFile(std::shared_ptr<SampleSource> file)
{
    DeviceLock lock(m_device);
    m_file.swap(file); // the file replaced is let go after the lock, never in the mixer
}

void SdlDevice::silence()
{
    if (m_device == 0)
        return;
    std::shared_ptr<SampleSource> file;
    DeviceLock lock(m_device);
    m_tone = nullptr;
    m_file.swap(file);
}

bool SdlDevice::sounding()
{
    if (m_device == 0)
        return false;
    DeviceLock lock(m_device);
    return m_tone != nullptr || (m_file && !m_file->ended());
}
