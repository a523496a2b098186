#include "sound/front/SdlAudioOut.h"

#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// How often the device is looked at while something sounds, to find it lost.
constexpr auto WatchEvery = 100ms;
// A sound thread stuck on its server is not waited for longer than this when the program ends.
constexpr auto EndWait = 2s;

} // namespace

// The sound thread, and what it shares with the window thread under its mutex.
struct SdlAudioOut::SoundThread
{
    // What the window thread asked for and the sound thread has not done yet. A newer ask
    // replaces an older one of its kind, so however long the thread is held up, it is bounded.
    struct Asked
    {
        bool silence = false;
        bool load = false; // the module only, for a sound to come
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
    bool ended = false;    // takes no more asks: quiet, or told to quit
    bool finished = false; // has let go of everything
    std::atomic<bool> deviceOpen{false};
    std::chrono::milliseconds grace;
    bool lastOpenWorked = false;
    // Called on the thread as it ends once quiet, the lock held.
    std::function<void()> endedOnceQuiet;

    // The sound thread's alone: there while something sounds, and for the grace after.
    std::shared_ptr<SoundModule> module;
    std::unique_ptr<OutputDevice> device;
    SteadyClock::time_point lastSound;

    void run();
    void carryOut(Asked &what);
    SteadyClock::duration keepUp();
    void letGo()
    {
        device.reset();
        if (module)
            module->threadEnds();
        module.reset();
    }
};

void SdlAudioOut::SoundThread::run()
{
    std::unique_lock lock(mutex);
    SteadyClock::duration nextLook = SteadyClock::duration::max();
    const auto due = [&] { return quit || askedCount != doneCount; };
    for (;;) {
        if (nextLook != SteadyClock::duration::max())
            wake.wait_for(lock, nextLook, due);
        // Quiet, with nothing asked: the thread ends, and the next sound starts another.
        if (quit || (nextLook == SteadyClock::duration::max() && !due()))
            break;
        Asked what = std::exchange(asked, {});
        const quint64 count = askedCount;
        lock.unlock();
        carryOut(what);
        nextLook = keepUp();
        deviceOpen = device && device->isOpen();
        lock.lock();
        doneCount = count;
        done.notify_all();
    }
    ended = true;
    lock.unlock();
    letGo();
    deviceOpen = false;
    lock.lock();
    finished = true;
    done.notify_all();
    if (!quit)
        endedOnceQuiet();
}

void SdlAudioOut::SoundThread::carryOut(Asked &what)
{
    if (what.silence && device)
        device->silence();
    const bool sounds = what.open || what.tone || what.file;
    if ((what.load || sounds) && !module)
        module = soundModule();
    if (!sounds)
        return;
    if (!device)
        device = module ? module->makeDevice() : nullptr;
    lastSound = SteadyClock::now(); // kept for the grace even when there is no output
    lastOpenWorked = device && device->open();
    if (!lastOpenWorked) {
        if (what.file)
            what.file->endUnheard(); // with no output, its play must not wait
        return;
    }
    if (what.file)
        device->playFile(std::move(what.file));
    if (what.tone)
        device->playTone(*what.tone);
}

// Finds a device lost while sounding and opens it afresh; lets the device and the module go
// once quiet for the grace. Gives how long until the device is to be looked at again.
SteadyClock::duration SdlAudioOut::SoundThread::keepUp()
{
    if (!device)
        return SteadyClock::duration::max();
    const auto now = SteadyClock::now();
    if (device->isOpen() && device->sounding()) {
        lastSound = now;
        if (device->lost())
            device->open();
        return WatchEvery;
    }
    const auto quietFor = now - lastSound;
    if (quietFor < grace)
        return grace - quietFor;
    letGo();
    return SteadyClock::duration::max();
}

SdlAudioOut::~SdlAudioOut()
{
    if (m_file)
        m_file->cancel();
    if (!m_sound)
        return;
    SoundThread &sound = *m_sound;
    std::unique_lock lock(sound.mutex);
    sound.quit = true;
    sound.wake.notify_one();
    // A thread stuck on a hung server is left to end on its own; it holds what it uses.
    if (sound.done.wait_for(lock, EndWait, [&] { return sound.finished; })) {
        lock.unlock();
        m_thread.join();
    } else {
        m_thread.detach();
    }
}

template<typename Change>
quint64 SdlAudioOut::ask(Change change, bool startIfNone)
{
    if (m_sound) {
        std::lock_guard lock(m_sound->mutex);
        if (!m_sound->ended) {
            change(m_sound->asked);
            m_sound->wake.notify_one();
            return ++m_sound->askedCount;
        }
    }
    if (!startIfNone)
        return 0;
    // The first sound, or the first since the last thread ended once quiet (it has let go of
    // everything by then, or is about to).
    if (m_thread.joinable())
        m_thread.join();
    m_sound = std::make_shared<SoundThread>();
    m_sound->grace = m_grace;
    change(m_sound->asked);
    m_sound->askedCount = 1;
    m_sound->endedOnceQuiet = [this, sound = std::weak_ptr(m_sound)] {
        QMetaObject::invokeMethod(
            &m_windowSide, [this, sound] { afterSoundThread(sound.lock()); }, Qt::QueuedConnection);
    };
    m_thread = std::thread([sound = m_sound] { sound->run(); });
    return 1;
}

void SdlAudioOut::afterSoundThread(const std::shared_ptr<SoundThread> &ended)
{
    // A thread started since has joined this one already.
    if (ended && ended == m_sound) {
        m_thread.join();
        m_sound.reset();
    }
    handBackSoundMemory();
}

void SdlAudioOut::prepare()
{
    ask([](SoundThread::Asked &a) { a.load = true; });
}

void SdlAudioOut::playInBackground(const QByteArray &wave)
{
    ask([&](SoundThread::Asked &a) { a.tone = wave; });
}

void SdlAudioOut::stop()
{
    if (m_file)
        m_file->cancel();
    m_file.reset();
    // With no sound thread, nothing sounds or is about to.
    ask(
        [](SoundThread::Asked &a) {
            a.silence = true;
            a.tone.reset();
            a.file.reset();
        },
        false);
}

// A file's check: its path, and its answer once its thread has one.
struct SdlAudioOut::FileCheck
{
    enum Verdict { Pending, Playable, Unplayable };
    explicit FileCheck(const QString &checked)
        : path(checked)
    {
    }
    const QString path;
    std::atomic<int> verdict{Pending};
};

void SdlAudioOut::checkFile(const QString &path, std::function<void(bool)> answer, std::unique_ptr<QIODevice> data)
{
    // A check still held up by this file's storage: another would stick beside it.
    if (const std::shared_ptr<FileCheck> last = m_lastCheck.lock();
        last && last->path == path && last->verdict == FileCheck::Pending)
        return answer(false);
    auto check = std::make_shared<FileCheck>(path);
    m_lastCheck = check;
    // The thread holds the check until it ends: an open or a read that never returns harms nobody.
    std::thread([check, data = std::move(data)]() mutable {
        const std::shared_ptr<SoundModule> module = soundModule();
        const bool playable = module && module->openStream(check->path, std::move(data)) != nullptr;
        if (module)
            module->threadEnds();
        check->verdict = playable ? FileCheck::Playable : FileCheck::Unplayable;
    }).detach();
    // The answer is looked for from the window thread: nothing is posted to an output gone meanwhile.
    auto *look = new QTimer(&m_windowSide);
    QElapsedTimer since;
    since.start();
    QObject::connect(look, &QTimer::timeout, look, [look, check, since, answer = std::move(answer)] {
        const int verdict = check->verdict;
        if (verdict == FileCheck::Pending && since.elapsed() < StorageAnswersWithinMs)
            return;
        // Stopped first: the answer may open a box, whose event loop would run this again.
        look->stop();
        look->deleteLater();
        answer(verdict == FileCheck::Playable);
    });
    look->start(10);
}

bool SdlAudioOut::startFile(const QString &path, std::unique_ptr<QIODevice> data)
{
    // A reader still in its open has met a storage that does not answer: another on the same
    // file would stick beside it, one more thread at every tick of the ring.
    if (const std::shared_ptr<FileFeed> last = m_lastFile.lock(); last && last->opening() && last->path() == path)
        return false;
    std::shared_ptr<FileFeed> file = FileFeed::start(path, std::move(data));
    if (m_file)
        m_file->cancel();
    m_file = file;
    m_lastFile = file;
    ask([&](SoundThread::Asked &a) { a.file = std::move(file); });
    return true;
}

AudioOut::FilePlay SdlAudioOut::filePlay()
{
    if (!m_file)
        return FilePlay::Ended;
    // A file whose storage stopped answering mid-way is as good as unplayable: the ring goes on
    // without it.
    if (m_file->unplayable() || m_file->stalled())
        return FilePlay::Unplayable;
    if (m_file->ended()) {
        m_file.reset();
        return FilePlay::Ended;
    }
    return m_file->opening() ? FilePlay::Opening : FilePlay::Sounding;
}

bool SdlAudioOut::open()
{
    const quint64 asked = ask([](SoundThread::Asked &a) { a.open = true; });
    SoundThread &sound = *m_sound;
    std::unique_lock lock(sound.mutex);
    sound.done.wait(lock, [&] { return sound.doneCount >= asked; });
    return sound.lastOpenWorked;
}

bool SdlAudioOut::isOpen() const
{
    return m_sound && m_sound->deviceOpen;
}
