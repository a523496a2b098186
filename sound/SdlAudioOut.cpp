#include "sound/SdlAudioOut.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

// Built-in tones share one channel, so a new tone cuts the old one; the user's file has its own.
constexpr int ToneChannel = 0;
constexpr int FileChannel = 1;
// More distinct tones than the program has; beyond it the oldest decoded one is let go.
constexpr std::size_t MaxDecodedTones = 8;

// Mix_ChannelFinished calls back on SDL's audio thread: it only signals, nothing more.
struct FileFinished
{
    std::mutex mutex;
    std::condition_variable signal;
    bool done = false;
};
FileFinished fileFinished;

void onChannelFinished(int channel)
{
    if (channel != FileChannel)
        return;
    {
        std::lock_guard lock(fileFinished.mutex);
        fileFinished.done = true;
    }
    fileFinished.signal.notify_all();
}

Mix_Chunk *decode(const QByteArray &wave)
{
    SDL_RWops *rw = SDL_RWFromConstMem(wave.constData(), int(wave.size()));
    return rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
}

std::chrono::milliseconds lengthOf(const Mix_Chunk *chunk)
{
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&frequency, &format, &channels) || frequency <= 0 || channels <= 0)
        return std::chrono::milliseconds(0);
    const int bytesPerFrame = channels * int(SDL_AUDIO_BITSIZE(format) / 8);
    return std::chrono::milliseconds(qint64(chunk->alen) * 1000 / (qint64(frequency) * bytesPerFrame));
}

} // namespace

SdlAudioOut::~SdlAudioOut()
{
    if (m_state != State::Open)
        return;
    Mix_HaltChannel(-1);
    Mix_ChannelFinished(nullptr);
    for (const DecodedTone &tone : m_tones)
        Mix_FreeChunk(tone.chunk);
    Mix_CloseAudio();
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
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(2);
    Mix_ChannelFinished(onChannelFinished);
    m_state = State::Open;
    return true;
}

Mix_Chunk *SdlAudioOut::decodedTone(const QByteArray &wave)
{
    for (const DecodedTone &tone : m_tones)
        if (tone.wave == wave)
            return tone.chunk;
    Mix_Chunk *chunk = decode(wave);
    if (!chunk)
        return nullptr;
    if (m_tones.size() >= MaxDecodedTones) {
        // Halting is synchronous: once it returns the mixer no longer reads any tone's samples.
        Mix_HaltChannel(ToneChannel);
        Mix_FreeChunk(m_tones.front().chunk);
        m_tones.erase(m_tones.begin());
    }
    m_tones.push_back({wave, chunk});
    return chunk;
}

void SdlAudioOut::playInBackground(const QByteArray &wave)
{
    if (!open())
        return;
    // Playing on the tones' own channel cuts off whatever tone sounds there.
    if (Mix_Chunk *chunk = decodedTone(wave))
        Mix_PlayChannel(ToneChannel, chunk, 0);
    else
        Mix_HaltChannel(ToneChannel);
}

void SdlAudioOut::stop()
{
    if (m_state == State::Open)
        Mix_HaltChannel(ToneChannel);
}

bool SdlAudioOut::playToEnd(const QByteArray &wave)
{
    if (!open())
        return false;
    Mix_Chunk *chunk = decode(wave);
    if (!chunk)
        return false;

    {
        std::lock_guard lock(fileFinished.mutex);
        fileFinished.done = false;
    }
    bool played = Mix_PlayChannel(FileChannel, chunk, 0) == FileChannel;
    if (played) {
        // Waits without running the event loop: nothing else happens until the file has played.
        std::unique_lock lock(fileFinished.mutex);
        const auto limit = lengthOf(chunk) + std::chrono::seconds(5);
        played = fileFinished.signal.wait_for(lock, limit, [] { return fileFinished.done; });
    }
    Mix_HaltChannel(FileChannel);
    Mix_FreeChunk(chunk);
    return played;
}
