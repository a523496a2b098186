#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Sound output: built-in tones held in memory, and the user's own wave file streamed from disk.
class AudioOut
{
public:
    virtual ~AudioOut() = default;
    // Starts a built-in tone in the background and returns at once; a tone still sounding is
    // cut off. Bytes that cannot be played give silence, never a substitute sound.
    virtual void playInBackground(const QByteArray &wave) = 0;
    // Silences whatever sounds: the built-in tone and the own file. What prepare made ready
    // may go.
    virtual void stop() = 0;
    // A sound is coming (an alarm was armed): what sounding needs is made ready now, so that
    // the first sound is not held up by it.
    virtual void prepare() = 0;
    // A file's storage that has not answered an open or a read for this long has stopped
    // answering (or reads slower than the file plays): the file counts as unplayable.
    static constexpr qint64 StorageAnswersWithinMs = 1000;
    // Answers whether the file at path can be played: its start decodes as its play would
    // decode it. Checked on a thread of its own, since the file may sit on a storage that stops
    // answering. The answer comes on the window thread, perhaps before this returns; never once
    // the output is gone.
    virtual void checkFile(const QString &path, std::function<void(bool playable)> answer) = 0;
    // Starts the file at path in the background and returns at once: it is opened, checked and
    // read on a thread of its own. False when it cannot even be tried: the same file, started
    // before, is still being opened on a storage that does not answer.
    virtual bool startFile(const QString &path) = 0;
    // How the file started last fares: still being opened, sounding, ended (played to its end
    // or stopped), or found unplayable (also when its storage stopped answering mid-way).
    enum class FilePlay { Opening, Sounding, Ended, Unplayable };
    virtual FilePlay filePlay() = 0;
};
