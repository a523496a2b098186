#include "sound/front/SdlAudioOut.h"

#include <SDL.h>

#include <algorithm>
#include <limits>

namespace {

// More distinct tones than the program has; beyond it the oldest decoded one is let go.
constexpr std::size_t MaxDecodedTones = 8;
constexpr int BufferFrames = 1024;

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

void setDecodingHints()
{
    // SDL would otherwise take over SIGINT and SIGTERM from the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A wave file cut short is refused rather than played in part; its fact chunk gives the length.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
}

void addClamped(Sint16 *out, const Sint16 *in, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        out[i] = Sint16(std::clamp(int(out[i]) + int(in[i]), int(std::numeric_limits<Sint16>::min()),
                                   int(std::numeric_limits<Sint16>::max())));
}

} // namespace

SdlAudioOut::SdlAudioOut()
{
    setDecodingHints();
    m_grace.setSingleShot(true);
    m_grace.setInterval(GraceMs);
    m_grace.callOnTimeout([this] { closeWhenQuiet(); });
}

SdlAudioOut::~SdlAudioOut()
{
    close();
}

const SDL_AudioSpec &SdlAudioOut::deviceSpec()
{
    static const SDL_AudioSpec spec = [] {
        SDL_AudioSpec s{};
        s.freq = 44100;
        s.format = AUDIO_S16SYS;
        s.channels = 2;
        s.samples = BufferFrames;
        return s;
    }();
    return spec;
}

bool SdlAudioOut::open()
{
    // A device the sound server took away (it stopped or restarted) is opened afresh.
    if (m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED)
        close();
    if (m_device != 0)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want = deviceSpec();
    want.callback = &SdlAudioOut::mix;
    want.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &obtained, 0);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_fileScratch.assign(std::size_t(obtained.samples) * obtained.channels * 2, 0);
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudioOut::close()
{
    m_grace.stop();
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device); // waits for the mixer's thread to end
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_tone = nullptr;
    m_file.reset();
    m_fileEnded = false;
    m_tones.clear();
    m_fileScratch = {};
}

void SdlAudioOut::closeWhenQuiet()
{
    if (m_device == 0)
        return;
    bool sounding = false;
    {
        DeviceLock lock(m_device);
        sounding = m_tone != nullptr || (m_file && !m_fileEnded);
    }
    if (sounding)
        m_grace.start();
    else
        close();
}

bool SdlAudioOut::decode(const QByteArray &wave, std::vector<Sint16> &samples) const
{
    SDL_AudioSpec spec{};
    std::vector<Uint8> decoded;
    if (!decodeWave(wave, spec, decoded))
        return false;
    bool ok = false;
    const SDL_AudioSpec &device = deviceSpec();
    if (SDL_AudioStream *stream =
            SDL_NewAudioStream(spec.format, spec.channels, spec.freq, device.format, device.channels, device.freq)) {
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

void SdlAudioOut::mix(void *userdata, Uint8 *stream, int length)
{
    // Runs on SDL's audio thread, the device locked: it copies samples and reads the file's
    // next piece, within a bounded amount of work.
    auto *self = static_cast<SdlAudioOut *>(userdata);
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
    if (self->m_file && !self->m_fileEnded) {
        const std::size_t n = std::min(count, self->m_fileScratch.size());
        const int got = self->m_file->read(self->m_fileScratch.data(), int(n));
        addClamped(out, self->m_fileScratch.data(), std::size_t(std::max(got, 0)));
        if (self->m_file->ended())
            self->m_fileEnded = true;
    }
}

void SdlAudioOut::playInBackground(const QByteArray &wave)
{
    if (!open())
        return;
    m_grace.start(); // the grace counts from the latest sound
    auto tone = std::find_if(m_tones.begin(), m_tones.end(), [&](const DecodedTone &t) { return t.wave == wave; });
    if (tone == m_tones.end()) {
        DecodedTone decoded{wave, {}};
        if (!decode(wave, decoded.samples)) {
            DeviceLock lock(m_device);
            m_tone = nullptr; // bytes that cannot be played give silence, never a substitute
            return;
        }
        m_tones.push_back(std::move(decoded));
        tone = std::prev(m_tones.end());
    }
    // The tones' channel takes the new tone from its start, cutting off whatever sounded there;
    // the oldest decoded tone goes once nothing can be reading it.
    DeviceLock lock(m_device);
    m_tone = &tone->samples;
    m_tonePosition = 0;
    if (m_tones.size() > MaxDecodedTones)
        m_tones.pop_front();
}

void SdlAudioOut::stop()
{
    if (m_device == 0)
        return;
    std::unique_ptr<WaveStream> file;
    {
        DeviceLock lock(m_device);
        m_tone = nullptr;
        file = std::move(m_file);
        m_fileEnded = false;
    }
}

bool SdlAudioOut::canPlayFile(const QString &path)
{
    return WaveStream::open(path, deviceSpec()) != nullptr;
}

bool SdlAudioOut::startFile(const QString &path)
{
    std::unique_ptr<WaveStream> file = WaveStream::open(path, deviceSpec());
    if (!file || !open())
        return false;
    m_grace.start(); // the grace counts from the latest sound
    std::unique_ptr<WaveStream> previous;
    DeviceLock lock(m_device);
    previous = std::move(m_file);
    m_file = std::move(file);
    m_fileEnded = false;
    return true;
}

bool SdlAudioOut::fileSounding()
{
    if (m_device == 0)
        return false;
    // A device lost while the file played ends the play: nothing more can be heard of it.
    if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
        stop();
        return false;
    }
    std::unique_ptr<WaveStream> finished;
    DeviceLock lock(m_device);
    if (!m_file)
        return false;
    if (!m_fileEnded)
        return true;
    finished = std::move(m_file);
    m_fileEnded = false;
    return false;
}
