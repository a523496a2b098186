#include "sound/SdlAudioOut.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

// More distinct tones than the program has; beyond it the oldest decoded one is let go.
constexpr std::size_t MaxDecodedTones = 8;

// Holds the device's lock: the mixing callback does not run meanwhile.
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

} // namespace

SdlAudioOut::~SdlAudioOut()
{
    if (m_state != State::Open)
        return;
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOut::open()
{
    if (m_state != State::Closed)
        return m_state == State::Open;
    m_state = State::Unavailable;

    // SDL would otherwise take over SIGINT and SIGTERM from the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A wave file cut short is refused rather than played in part; its fact chunk gives the length.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlAudioOut::mix;
    want.userdata = this;
    // No changes allowed: SDL converts to whatever the hardware takes.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &m_spec, 0);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(m_device, 0);
    m_state = State::Open;
    return true;
}

bool SdlAudioOut::decode(const QByteArray &wave, std::vector<Sint16> &samples) const
{
    SDL_RWops *rw = SDL_RWFromConstMem(wave.constData(), int(wave.size()));
    if (!rw)
        return false;
    SDL_AudioSpec spec{};
    Uint8 *buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length))
        return false;
    bool ok = false;
    if (SDL_AudioStream *stream = SDL_NewAudioStream(spec.format, spec.channels, spec.freq, m_spec.format,
                                                     m_spec.channels, m_spec.freq)) {
        if (SDL_AudioStreamPut(stream, buffer, int(length)) == 0 && SDL_AudioStreamFlush(stream) == 0) {
            samples.resize(std::size_t(SDL_AudioStreamAvailable(stream)) / sizeof(Sint16));
            const int got = SDL_AudioStreamGet(stream, samples.data(), int(samples.size() * sizeof(Sint16)));
            samples.resize(got > 0 ? std::size_t(got) / sizeof(Sint16) : 0);
            ok = !samples.empty();
        }
        SDL_FreeAudioStream(stream);
    }
    SDL_FreeWAV(buffer);
    return ok;
}

void SdlAudioOut::mix(void *userdata, Uint8 *stream, int length)
{
    // Runs on SDL's audio thread, the device locked: it only copies samples and signals.
    auto *self = static_cast<SdlAudioOut *>(userdata);
    auto *out = reinterpret_cast<Sint16 *>(stream);
    const std::size_t count = std::size_t(length) / sizeof(Sint16);
    std::fill(out, out + count, Sint16(0));
    bool fileEnded = false;
    for (Channel *channel : {&self->m_tone, &self->m_file}) {
        if (!channel->samples)
            continue;
        const std::vector<Sint16> &samples = *channel->samples;
        const std::size_t n = std::min(count, samples.size() - channel->position);
        for (std::size_t i = 0; i < n; ++i) {
            const int sum = out[i] + samples[channel->position + i];
            out[i] = Sint16(std::clamp(sum, int(std::numeric_limits<Sint16>::min()), int(std::numeric_limits<Sint16>::max())));
        }
        channel->position += n;
        if (channel->position >= samples.size()) {
            channel->samples = nullptr;
            fileEnded = fileEnded || channel == &self->m_file;
        }
    }
    if (fileEnded) {
        {
            std::lock_guard lock(self->m_fileMutex);
            self->m_fileDone = true;
        }
        self->m_fileEnded.notify_all();
    }
}

void SdlAudioOut::playInBackground(const QByteArray &wave)
{
    if (!open())
        return;
    auto tone = std::find_if(m_tones.begin(), m_tones.end(), [&](const DecodedTone &t) { return t.wave == wave; });
    if (tone == m_tones.end()) {
        DecodedTone decoded{wave, {}};
        if (!decode(wave, decoded.samples)) {
            stop(); // bytes that cannot be played give silence, never a substitute
            return;
        }
        DeviceLock lock(m_device);
        if (m_tones.size() >= MaxDecodedTones) {
            // Nothing may sound from samples about to go.
            m_tone = {};
            m_tones.erase(m_tones.begin());
        }
        m_tones.push_back(std::move(decoded));
        tone = m_tones.end() - 1;
    }
    // The tones' channel takes the new tone from its start, cutting off whatever sounded there.
    DeviceLock lock(m_device);
    m_tone = {&tone->samples, 0};
}

void SdlAudioOut::stop()
{
    if (m_state != State::Open)
        return;
    DeviceLock lock(m_device);
    m_tone = {};
}

bool SdlAudioOut::playToEnd(const QByteArray &wave)
{
    if (!open())
        return false;
    std::vector<Sint16> samples;
    if (!decode(wave, samples))
        return false;
    {
        std::lock_guard lock(m_fileMutex);
        m_fileDone = false;
    }
    {
        DeviceLock lock(m_device);
        m_file = {&samples, 0};
    }
    // Waits without running the event loop: nothing else happens until the file has played.
    const auto length = std::chrono::milliseconds(qint64(samples.size()) * 1000 / (m_spec.freq * m_spec.channels));
    std::unique_lock lock(m_fileMutex);
    const bool played = m_fileEnded.wait_for(lock, length + std::chrono::seconds(5), [this] { return m_fileDone; });
    lock.unlock();
    DeviceLock device(m_device);
    m_file = {}; // the samples go with this call
    return played;
}
