#pragma once

#include "sound/AudioOut.h"
#include "sound/front/FileFeed.h"

#include <QObject>

#include <chrono>
#include <memory>
#include <thread>

// Sound through SDL, asked for from the window thread and done on a sound thread of the
// program's own: every call here hands over what to play and returns at once, so a sound
// server that hangs, or a disk that is slow, never holds up the window. The device and its
// threads are there only while something sounds and a few seconds after (a tone every half
// second does not reopen it each time); a device lost while sounding is opened afresh, and
// opening is tried again at every sound, so a server that starts late or comes back after a
// restart is found.
class SdlAudioOut : public AudioOut
{
public:
    // How long the device stays open after the last sound.
    static constexpr std::chrono::milliseconds Grace{3000};
    explicit SdlAudioOut(std::chrono::milliseconds grace = Grace)
        : m_grace(grace)
    {
    }
    ~SdlAudioOut() override;
    SdlAudioOut(const SdlAudioOut &) = delete;
    SdlAudioOut &operator=(const SdlAudioOut &) = delete;

    void playInBackground(const QByteArray &wave) override;
    void stop() override;
    void checkFile(const QString &path, std::function<void(bool)> answer) override
    {
        checkFile(path, std::move(answer), nullptr);
    }
    bool startFile(const QString &path) override { return startFile(path, nullptr); }
    FilePlay filePlay() override;
    // Loads the sound module on the sound thread, not the window's.
    void prepare() override;

    // Checks the file at path with its data read through the device given in its place.
    void checkFile(const QString &path, std::function<void(bool)> answer, std::unique_ptr<QIODevice> data);
    // Plays the file at path with its data read through the device given in its place.
    bool startFile(const QString &path, std::unique_ptr<QIODevice> data);
    // Opens the device and waits for it, for callers that may wait (a benchmark, a test);
    // false when there is no sound output.
    bool open();
    bool isOpen() const;
    // No sound thread runs: the device, its threads and the heap they used are gone.
    bool quiet() const { return m_sound == nullptr; }

private:
    struct SoundThread;
    // Hands the change of what is asked to the sound thread, starting one if none runs (or
    // doing nothing, if not startIfNone); gives the ask's number.
    template<typename Change>
    quint64 ask(Change change, bool startIfNone = true);

    // Once the thread has ended, on the window thread: the memory sound left goes back.
    void afterSoundThread(const std::shared_ptr<SoundThread> &ended);

    QObject m_windowSide;                 // where the sound thread's end is told
    std::shared_ptr<SoundThread> m_sound; // the sound thread, while something sounds and a while after
    std::thread m_thread;
    std::shared_ptr<FileFeed> m_file;   // the file last started, until it has ended
    std::weak_ptr<FileFeed> m_lastFile; // the file last started, while its reader runs
    struct FileCheck;
    std::weak_ptr<FileCheck> m_lastCheck; // the file checked last, while its check runs
    std::chrono::milliseconds m_grace;
};
