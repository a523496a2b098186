#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// The sound module: SDL, and the dozens of libraries it pulls in (sound servers, codecs, display
// protocols), behind one library the program loads at its first sound (or when an alarm is
// armed), so a program that never sounds never maps them. Samples cross it in
// the device's format: 16-bit signed stereo at 44.1 kHz, in the machine's byte order.
namespace DeviceFormat {
constexpr int Rate = 44100;
constexpr int Channels = 2;
} // namespace DeviceFormat

// Samples the device's mixer takes, on its own thread, without ever waiting.
class SampleSource
{
public:
    virtual ~SampleSource() = default;
    // Up to count samples; fewer when none are ready yet.
    virtual std::size_t take(qint16 *out, std::size_t count) = 0;
    // Every sample has been taken, or nothing more of it can be heard.
    virtual bool ended() const = 0;
    // Nothing of it can be heard (no device): its play must not wait for it.
    virtual void endUnheard() = 0;
};

// A wave file decoded a piece at a time into the device's format.
class DecodedStream
{
public:
    virtual ~DecodedStream() = default;
    // Fills out with up to count samples and gives how many: fewer only at the end. It reads
    // the file as it goes, so it belongs on a thread that may wait for the disk.
    virtual int read(qint16 *out, int count) = 0;
    virtual bool ended() const = 0;
};

// The sound device, mixing the built-in tones (a new one cuts the old) and a file. Every call
// may wait on the sound server: one thread, never the window's, makes them all.
class OutputDevice
{
public:
    virtual ~OutputDevice() = default;
    // Opens the device if it is not open; one the server took away is opened afresh, the file
    // sounding in it going on where it was. False when there is no sound output.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Starts a tone from its start; bytes that cannot be played give silence, never a substitute.
    virtual void playTone(const QByteArray &wave) = 0;
    virtual void playFile(std::shared_ptr<SampleSource> file) = 0;
    virtual void silence() = 0;
    // A tone or a file is still in the mixer.
    virtual bool sounding() = 0;
    // The device plays no more: the server stopped, restarted or removed the sink.
    virtual bool lost() const = 0;
};

class SoundModule
{
public:
    virtual ~SoundModule() = default;
    virtual std::unique_ptr<OutputDevice> makeDevice() = 0;
    // Nothing when the file is not a whole wave file or its start cannot be decoded; the check
    // at choice and the play agree. The data is read through the file itself, or through the
    // device given in its place.
    virtual std::unique_ptr<DecodedStream> openStream(const QString &path, std::unique_ptr<QIODevice> data) = 0;
    // Lets go of what the module keeps for the calling thread; each thread of the program's own
    // that used it says so as it ends.
    virtual void threadEnds() = 0;
};

// The module, loaded at the first call and kept for the life of the process. Nothing when it
// cannot be loaded: said once on the standard error, as the program is mute.
std::shared_ptr<SoundModule> soundModule();
// Once no thread of sound is left: hands the heap's free memory back to the system, not kept for
// a next sound that may be hours away. File-backed pages are never touched: the kernel reclaims
// clean ones, and a relocated page that was swapped out is the only copy of its contents.
void handBackSoundMemory();

// The module's one entry point.
extern "C" {
using MakeSoundModule = SoundModule *();
}
#define CHIMEWELL_SOUND_MODULE_ENTRY "chimewell_make_sound_module"
