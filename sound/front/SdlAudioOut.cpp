#include "sound/front/SdlAudioOut.h"

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// How often the device is looked at while something sounds, to find it lost.
constexpr auto WatchEvery = 100ms;
// A sound thread stuck on its server is not waited for longer than this when the program ends.
constexpr auto EndWait = 2s;

void setDecodingHints()
{
    // SDL would otherwise take over SIGINT and SIGTERM from the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A wave file cut short is refused rather than played in part; its fact chunk gives the length.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
}

// The sound's memory goes back to the system once the device is closed, not kept for a next
// sound that may be hours away.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

// What the window thread asked for and the sound thread has not done yet. A newer ask
// replaces an older one of its kind, so however long the thread is held up, it is bounded.
struct SdlAudioOut::SoundThread
{
    struct Asked
    {
        bool silence = false;
        bool open = false;
        std::optional<QByteArray> tone;
        std::shared_ptr<FileFeed> file;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable done;
    Asked asked;
    quint64 askedCount = 0;
    quint64 doneCount = 0;
    bool quit = false;
    bool ended = false;
    std::atomic<bool> deviceOpen{false};
    bool lastOpenWorked = false;

    // The sound thread's alone.
    SoundDevice device;
    SteadyClock::time_point lastSound;

    template <typename Change>
    quint64 ask(Change change)
    {
        std::lock_guard lock(mutex);
        change(asked);
        wake.notify_one();
        return ++askedCount;
    }

    void run();
    void carryOut(Asked &what);
    SteadyClock::duration keepUp();
};

void SdlAudioOut::SoundThread::run()
{
    std::unique_lock lock(mutex);
    SteadyClock::duration nextLook = SteadyClock::duration::max();
    while (!quit) {
        const auto due = [&] { return quit || askedCount != doneCount; };
        if (nextLook == SteadyClock::duration::max())
            wake.wait(lock, due);
        else
            wake.wait_for(lock, nextLook, due);
        Asked what = std::exchange(asked, {});
        const quint64 count = askedCount;
        lock.unlock();
        carryOut(what);
        nextLook = keepUp();
        deviceOpen = device.isOpen();
        lock.lock();
        doneCount = count;
        done.notify_all();
    }
    lock.unlock();
    device.close();
    lock.lock();
    ended = true;
    done.notify_all();
}

void SdlAudioOut::SoundThread::carryOut(Asked &what)
{
    if (what.silence)
        device.silence();
    if (!what.open && !what.tone && !what.file)
        return;
    lastOpenWorked = device.open();
    if (!lastOpenWorked) {
        if (what.file)
            what.file->endUnheard(); // with no output, its play must not wait
        return;
    }
    lastSound = SteadyClock::now();
    if (what.file)
        device.playFile(std::move(what.file));
    if (what.tone)
        device.playTone(*what.tone);
}

// Finds a device lost while sounding and opens it afresh; closes one quiet for the grace.
// Gives how long until the device is to be looked at again.
SteadyClock::duration SdlAudioOut::SoundThread::keepUp()
{
    if (!device.isOpen())
        return SteadyClock::duration::max();
    const auto now = SteadyClock::now();
    if (device.sounding()) {
        lastSound = now;
        if (device.lost())
            device.open();
        return WatchEvery;
    }
    const auto quietFor = now - lastSound;
    if (quietFor < std::chrono::milliseconds(GraceMs))
        return std::chrono::milliseconds(GraceMs) - quietFor;
    device.close();
    returnFreedMemory();
    return SteadyClock::duration::max();
}

SdlAudioOut::SdlAudioOut()
{
    setDecodingHints();
}

SdlAudioOut::~SdlAudioOut()
{
    if (!m_sound)
        return;
    if (m_file)
        m_file->cancel();
    SoundThread &sound = *m_sound;
    std::unique_lock lock(sound.mutex);
    sound.quit = true;
    sound.wake.notify_one();
    // A thread stuck on a hung server is left to end on its own; it holds what it uses.
    if (sound.done.wait_for(lock, EndWait, [&] { return sound.ended; })) {
        lock.unlock();
        m_thread.join();
    } else {
        m_thread.detach();
    }
}

SdlAudioOut::SoundThread &SdlAudioOut::soundThread()
{
    if (!m_sound) {
        m_sound = std::make_shared<SoundThread>();
        m_thread = std::thread([sound = m_sound] { sound->run(); });
    }
    return *m_sound;
}

void SdlAudioOut::playInBackground(const QByteArray &wave)
{
    soundThread().ask([&](SoundThread::Asked &a) { a.tone = wave; });
}

void SdlAudioOut::stop()
{
    if (m_file)
        m_file->cancel();
    m_file.reset();
    if (m_sound)
        m_sound->ask([](SoundThread::Asked &a) {
            a.silence = true;
            a.tone.reset();
            a.file.reset();
        });
}

bool SdlAudioOut::canPlayFile(const QString &path)
{
    return WaveStream::open(path, deviceSpec()) != nullptr;
}

bool SdlAudioOut::startFile(const QString &path)
{
    return startStream(WaveStream::open(path, deviceSpec()));
}

bool SdlAudioOut::startStream(std::unique_ptr<WaveStream> stream)
{
    std::shared_ptr<FileFeed> file = FileFeed::start(std::move(stream));
    if (!file)
        return false;
    if (m_file)
        m_file->cancel();
    m_file = file;
    soundThread().ask([&](SoundThread::Asked &a) { a.file = std::move(file); });
    return true;
}

bool SdlAudioOut::fileSounding()
{
    if (m_file && m_file->ended())
        m_file.reset();
    return m_file != nullptr;
}

bool SdlAudioOut::open()
{
    SoundThread &sound = soundThread();
    const quint64 asked = sound.ask([](SoundThread::Asked &a) { a.open = true; });
    std::unique_lock lock(sound.mutex);
    sound.done.wait(lock, [&] { return sound.doneCount >= asked; });
    return sound.lastOpenWorked;
}

bool SdlAudioOut::isOpen() const
{
    return m_sound && m_sound->deviceOpen;
}
