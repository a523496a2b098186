#pragma once

#include <QByteArray>
#include <QString>

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
    // Whether the file at path can be played: its start decodes as its play would decode it.
    virtual bool canPlayFile(const QString &path) = 0;
    // Starts the file at path in the background and returns at once: it is opened, checked and
    // read on a thread of its own. False when it cannot even be tried: the same file, started
    // before, is still being opened on a storage that does not answer.
    virtual bool startFile(const QString &path) = 0;
    // How the file started last fares: still being opened, sounding, ended (played to its end
    // or stopped), or found unplayable (also when its storage stopped answering mid-way).
    enum class FilePlay { Opening, Sounding, Ended, Unplayable };
    virtual FilePlay filePlay() = 0;
};
