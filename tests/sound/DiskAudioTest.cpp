// What a user would hear, through SDL's disk audio driver: every sample the program sends to
// the sound device lands in a file, which these tests read back.
#include "AlarmHarness.h"
#include "WaveBuilder.h"
#include "sound/front/SdlAudioOut.h"
#include "sound/WaveFile.h"
#include "toolkit/Dispatcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>
#include <functional>
#include <future>
#include <optional>
#include <malloc.h>
#include <pthread.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr int Rate = 44100;

// The stretch of output that is not silence, in seconds, from its first to its last sound.
struct Heard
{
    double start = 0;
    double span = 0;
    bool any = false;
};

bool waitUntil(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class DiskAudio : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_output = m_dir.filePath(QStringLiteral("out.raw"));
        ASSERT_EQ(qgetenv("SDL_AUDIODRIVER"), QByteArray("disk")) << "run with SDL_AUDIODRIVER=disk";
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_output));
        m_audio = std::make_unique<SdlAudioOut>();
        ASSERT_TRUE(m_audio->open()) << "SDL's disk audio driver did not start";
        ASSERT_EQ(DeviceFormat::Rate, Rate);
        ASSERT_EQ(DeviceFormat::Channels, 2);
        m_harness =
            std::make_unique<AlarmHarness>(QDateTime(QDate(2026, 12, 7), QTime(9, 0)), QLocale::c(), m_audio.get());
    }

    // The own file's play as the ring runs it, waited for in the event loop.
    bool playWave(const QString &path)
    {
        return PlayWave(*m_audio, m_harness->clock, path,
                        [this](const std::function<bool()> &done) { m_harness->dispatcher.waitWhilePlaying(done); });
    }

    // The output's answer to a file's check, waited for in the event loop three seconds at most:
    // nothing when none came.
    std::optional<bool> checked(const QString &path, std::unique_ptr<QIODevice> data = nullptr)
    {
        int argc = 1;
        char name[] = "check";
        char *argv[] = {name};
        std::optional<QCoreApplication> app;
        if (!QCoreApplication::instance())
            app.emplace(argc, argv);
        std::optional<bool> answer;
        m_audio->checkFile(
            path, [&](bool playable) { answer = playable; }, std::move(data));
        QElapsedTimer waited;
        waited.start();
        while (!answer && waited.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return answer;
    }

    // Closes the device, so every sample is in the file, and gives them.
    QByteArray output()
    {
        m_harness.reset();
        m_audio.reset();
        QFile f(m_output);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    // Closes the device and finds what was heard.
    Heard heard(int threshold = 200)
    {
        const LoudFrames loud = loudFrames(output(), threshold);
        Heard h;
        h.any = loud.first >= 0;
        if (h.any) {
            h.start = double(loud.first) / Rate;
            h.span = double(loud.last - loud.first + 1) / Rate;
        }
        return h;
    }

    // While the device runs: the output so far, in seconds, and how much of it is sound, from the
    // first sound to the end of what the driver has written. The driver writes each buffer as it
    // plays it, so this is the device's own clock, not the test's.
    double writtenSoFar() const { return double(QFileInfo(m_output).size()) / 4 / Rate; }
    double soundSoFar(int threshold = 200) const
    {
        QFile f(m_output);
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray raw = f.readAll();
        const LoudFrames loud = loudFrames(raw, threshold);
        return loud.first < 0 ? 0 : double(raw.size() / 4 - loud.first) / Rate;
    }
    // Waits until the device has played at least this much sound, or this much more output.
    bool waitForSound(double seconds) const
    {
        return waitUntil([&] { return soundSoFar() >= seconds; });
    }
    bool waitForOutput(double moreSeconds) const
    {
        const double until = writtenSoFar() + moreSeconds;
        return waitUntil([&] { return writtenSoFar() >= until; });
    }
    // One device buffer (1024 frames), the most a change can wait for the next mix.
    static constexpr double Buffer = 1024.0 / Rate;

    QString writeFile(const QString &name, const QByteArray &bytes) { return ::writeFile(m_dir, name, bytes); }

    QTemporaryDir m_dir;
    QString m_output;
    std::unique_ptr<SdlAudioOut> m_audio;
    std::unique_ptr<AlarmHarness> m_harness;
};

struct ToneLength
{
    qint16 id;
    double seconds;
};

class EachBuiltInTone : public DiskAudio, public testing::WithParamInterface<ToneLength>
{
};

} // namespace

TEST_P(EachBuiltInTone, SoundsForAboutItsLength)
{
    m_harness->atm.PlayResourceSound(GetParam().id);
    ASSERT_TRUE(waitForOutput(1.0));
    const Heard h = heard();
    ASSERT_TRUE(h.any) << "tone " << GetParam().id << " was silent";
    EXPECT_NEAR(h.span, GetParam().seconds, 0.06) << "tone " << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(Resources, EachBuiltInTone,
                         testing::Values(ToneLength{100, 0.235}, ToneLength{101, 0.745}, ToneLength{102, 0.297},
                                         ToneLength{103, 0.181}, ToneLength{104, 0.148}, ToneLength{105, 0.261},
                                         ToneLength{106, 0.351}),
                         [](const auto &tone) { return "id" + std::to_string(tone.param.id); });

TEST_F(DiskAudio, ANewToneCutsTheOldOneOffAndStartsFromItsBeginning)
{
    m_harness->atm.PlayResourceSound(101); // 0.745 s
    ASSERT_TRUE(waitForSound(0.1));
    const double cutAt = soundSoFar();
    m_harness->atm.PlayResourceSound(104); // 0.148 s
    ASSERT_TRUE(waitForOutput(0.8));
    const Heard h = heard();
    // Uncut, the first tone alone would sound 0.745 s; the second starts at the next mix (its
    // quiet last few milliseconds fall under the threshold).
    EXPECT_GE(h.span, cutAt + 0.148 - 0.03);
    EXPECT_LE(h.span, cutAt + 0.148 + 2 * Buffer + 0.005);
}

TEST_F(DiskAudio, StopSoundSilencesTheTone)
{
    m_harness->atm.PlayResourceSound(101);
    ASSERT_TRUE(waitForSound(0.2));
    const double stoppedAt = soundSoFar();
    m_harness->atm.StopSound();
    ASSERT_TRUE(waitForOutput(0.7));
    const double span = heard().span;
    EXPECT_GE(span, stoppedAt - 0.005);
    EXPECT_LE(span, stoppedAt + 2 * Buffer + 0.005) << "the tone went on after Stop";
}

TEST_F(DiskAudio, PlayWaveReturnsWhenTheFileHasPlayed)
{
    int argc = 1;
    char name[] = "play";
    char *argv[] = {name};
    QCoreApplication app(argc, argv); // the play waits in the event loop
    const QString path = writeFile(QStringLiteral("three seconds é.wav"), sineWave(3.0));
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(playWave(path));
    EXPECT_NEAR(timer.elapsed() / 1000.0, 3.0, 0.3);
    const Heard h = heard();
    EXPECT_NEAR(h.span, 3.0, 0.06);
}

TEST_F(DiskAudio, FilesThatCannotBeOpenedReturnAtOnceInSilence)
{
    int argc = 1;
    char name[] = "unplayable";
    char *argv[] = {name};
    QCoreApplication app(argc, argv); // the play waits in the event loop
    const QByteArray wave = sineWave(1.0);
    QByteArray emptyData = sineWave(0.0);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.wav"));
    const QString paths[] = {
        QString(),
        m_dir.filePath(QStringLiteral("missing.wav")),
        m_dir.filePath(QStringLiteral("folder.wav")),
        QStringLiteral("/dev/zero"),
        writeFile(QStringLiteral("song.wav"), QByteArray("OggS\0\x02", 6) + QByteArray(4000, '\x11')),
        writeFile(QStringLiteral("cut.wav"), wave.left(wave.size() / 2)),
        writeFile(QStringLiteral("empty data.wav"), emptyData),
        writeFile(QStringLiteral("noise.wav"), QByteArray(4000, '\x7f')),
    };
    for (const QString &path : paths) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(playWave(path)) << path.toStdString();
        EXPECT_LT(timer.elapsed(), 200) << path.toStdString();
    }
    EXPECT_FALSE(heard().any);
}

TEST_F(DiskAudio, StopSilencesAnOwnFileAtOnceAndTicksDueDuringThePlayRunOnceAfterIt)
{
    int argc = 1;
    char name[] = "tick";
    char *argv[] = {name};
    QCoreApplication app(argc, argv);
    const QString path = writeFile(QStringLiteral("five seconds.wav"), sineWave(5.0));
    Dispatcher &dispatcher = m_harness->dispatcher;

    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    qint64 playStart = -1, playEnd = -1, stopAt = -1;
    double stoppedAtOutput = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        dispatcher.run(
            Dispatcher::Kind::Tick, [&] { ticks << clock.elapsed(); }, &tick);
    });
    tick.start(100);
    QTimer::singleShot(250, [&] {
        dispatcher.run(Dispatcher::Kind::Tick, [&] {
            playStart = clock.elapsed();
            playWave(path);
            playEnd = clock.elapsed();
            tick.stop(); // from here on only a held tick can run
        });
    });
    // Stop while the file plays, once a second of it has been heard.
    QTimer stopWhenHeard;
    QObject::connect(&stopWhenHeard, &QTimer::timeout, [&] {
        if (stopAt >= 0 || soundSoFar() < 1.0)
            return;
        stoppedAtOutput = soundSoFar();
        stopAt = clock.elapsed();
        dispatcher.run(Dispatcher::Kind::UrgentEvent, [&] { m_harness->alarm.Stopp_Click(); });
    });
    stopWhenHeard.start(10);
    QTimer::singleShot(3500, &app, &QCoreApplication::quit);
    app.exec();

    ASSERT_GE(stopAt, 0) << "the file was not heard";
    ASSERT_GE(playEnd, 0) << "the play did not end";
    EXPECT_LT(playEnd - stopAt, 200) << "the play went on after Stop";
    int during = 0, justAfter = 0;
    for (qint64 t : ticks) {
        if (t > playStart && t < playEnd)
            ++during;
        if (t >= playEnd)
            ++justAfter;
    }
    EXPECT_EQ(during, 0);
    EXPECT_EQ(justAfter, 1) << "the held ticks should come back as one";
    const Heard h = heard();
    EXPECT_LE(h.start + h.span, h.start + stoppedAtOutput + 2 * Buffer + 0.01) << "the file sounded on after Stop";
}

namespace {
// A file whose every read waits, as a network home or a drive spinning up answers.
class SlowFile : public QFile
{
public:
    using QFile::QFile;

protected:
    qint64 readData(char *data, qint64 length) override
    {
        std::this_thread::sleep_for(200ms);
        return QFile::readData(data, length);
    }
};
} // namespace

TEST_F(DiskAudio, AFileReadSlowlyHoldsUpNeitherTheWindowNorItsOwnSound)
{
    int argc = 1;
    char name[] = "slow";
    char *argv[] = {name};
    QCoreApplication app(argc, argv);
    // Three seconds in the device's own format, no sample silent: a gap would be a run of zeros.
    QByteArray wave = waveHeader({1, 2, Rate, 16, 4, {}}, 3 * Rate * 4);
    const qsizetype header = wave.size();
    for (int i = 0; i < 3 * Rate * 2; ++i) {
        char le[2];
        qToLittleEndian(qint16(2000 + i * 7 % 20000), le);
        wave.append(le, 2);
    }
    const QString path = writeFile(QStringLiteral("slow.wav"), wave);

    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { ticks << clock.elapsed(); });
    tick.start(500);
    ASSERT_TRUE(m_audio->startFile(path, std::make_unique<SlowFile>(path)));
    m_harness->dispatcher.waitWhilePlaying([&] {
        return m_audio->filePlay() != AudioOut::FilePlay::Opening
            && m_audio->filePlay() != AudioOut::FilePlay::Sounding;
    });

    ASSERT_GE(ticks.size(), 5);
    for (qsizetype i = 1; i < ticks.size(); ++i)
        EXPECT_LT(ticks[i] - ticks[i - 1], 540) << "the window's tick " << i << " was held up";
    const QByteArray out = output();
    const qsizetype first = out.indexOf(wave.mid(header, 64));
    ASSERT_GE(first, 0) << "the file was not heard";
    EXPECT_TRUE(out.mid(first, wave.size() - header) == wave.mid(header)) << "the file's sound broke up or changed";
}

namespace {
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * 4096;
}
int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}
constexpr qint64 MiB = 1024 * 1024;
bool mapped(const char *library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}
} // namespace

// Files that took all memory when decoded whole: 13 KB of 8-bit samples at 1 Hz (3.6 hours of
// sound), and an hour at 8 kHz (57 MB, sparse here). Each plays in bounded memory and stops at once.
TEST_F(DiskAudio, OwnFilesOfAnyRateAndLengthPlayInBoundedMemoryAndStopAtOnce)
{
    QByteArray slow = waveHeader({1, 1, 1, 8, 1, {}}, 13000);
    for (int i = 0; i < 13000; ++i)
        slow.append(char(i % 2 ? 28 : 228)); // a full swing every two seconds: loud
    const QString slowPath = writeFile(QStringLiteral("1 Hz.wav"), slow);
    const quint32 hourBytes = 8000 * 2 * 3600;
    const QString hourPath = writeFile(QStringLiteral("an hour.wav"), waveHeader({1, 1, 8000, 16, 2, {}}, hourBytes));
    ASSERT_TRUE(QFile::resize(hourPath, QFileInfo(hourPath).size() + hourBytes));

    const qint64 idle = residentBytes();
    for (const QString &path : {slowPath, hourPath}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_EQ(checked(path), true);
        ASSERT_TRUE(m_audio->startFile(path));
        ASSERT_TRUE(waitForOutput(1.5));
        EXPECT_EQ(m_audio->filePlay(), AudioOut::FilePlay::Sounding);
        EXPECT_LT(residentBytes() - idle, 32 * MiB) << "playing the file took too much memory";
        m_audio->stop();
        EXPECT_EQ(m_audio->filePlay(), AudioOut::FilePlay::Ended);
    }
    const double stoppedAt = writtenSoFar();
    ASSERT_TRUE(waitForOutput(0.5));
    const Heard h = heard();
    ASSERT_TRUE(h.any) << "the 1 Hz file was not heard";
    EXPECT_LE(h.start + h.span, stoppedAt + 2 * Buffer) << "sound went on after Stop";
}

TEST_F(DiskAudio, OnlyFilesTheDecoderCanPlayAreAccepted)
{
    const QByteArray noise(4096, '\x35');
    // MS ADPCM's format chunk: 32 samples a block, and the seven standard coefficient pairs.
    QByteArray adpcmExtra =
        QByteArray::fromHex("2000"
                            "2000"
                            "0700"
                            "0001 0000 0002 00ff 0000 0000 c000 4000 f000 0000 cc01 30ff 8801 18ff");
    adpcmExtra.replace(0, 2, QByteArray::fromHex("2000")); // cbSize 32
    const std::pair<const char *, QByteArray> refused[] = {
        {"float64", waveHeader({3, 1, 22050, 64, 8, {}}, 4096) + noise},
        {"GSM 6.10",
         waveHeader({0x31, 1, 8000, 0, 65, QByteArray::fromHex("02004001")}, 65 * 60) + QByteArray(65 * 60, '\x11')},
        {"MPEG layer 3", waveHeader({0x55, 1, 22050, 0, 1, QByteArray(14, '\0')}, 4096) + noise},
        {"ADPCM, blocks too small for their samples", waveHeader({2, 1, 22050, 4, 8, adpcmExtra}, 4096) + noise},
    };
    for (const auto &[name, bytes] : refused) {
        const QString path = writeFile(QStringLiteral("%1.wav").arg(QString::fromLatin1(name)), bytes);
        ASSERT_TRUE(isWholeWaveFile(bytes)) << name << ": the test's file is not a whole wave file";
        EXPECT_EQ(checked(path), false) << name;
        ASSERT_TRUE(m_audio->startFile(path)) << name;
        EXPECT_TRUE(waitUntil([&] { return m_audio->filePlay() != AudioOut::FilePlay::Opening; })) << name;
        EXPECT_EQ(m_audio->filePlay(), AudioOut::FilePlay::Unplayable) << name;
    }
    EmbeddedResources resources;
    for (qint16 id : {101, 105}) { // MS ADPCM stereo, 8-bit PCM
        const QString path =
            writeFile(QStringLiteral("tone %1.wav").arg(id), resources.load(id, QStringLiteral("WAVE")));
        EXPECT_EQ(checked(path), true) << id;
    }
    EXPECT_EQ(checked(writeFile(QStringLiteral("sine.wav"), sineWave(0.2))), true);
    EXPECT_FALSE(heard().any) << "checking a file sounded";
}

TEST_F(DiskAudio, TheDeviceClosesAfterTheGraceAndOpensAgainForTheNextSound)
{
    int argc = 1;
    char name[] = "grace";
    char *argv[] = {name};
    QCoreApplication app(argc, argv); // the sound thread's end is told to the window thread
    m_harness.reset();                // a fresh output, its device not yet open
    m_audio = std::make_unique<SdlAudioOut>();
    m_harness = std::make_unique<AlarmHarness>(QDateTime(QDate(2026, 12, 7), QTime(9, 0)), QLocale::c(), m_audio.get());
    const int quietThreads = threadCount();

    m_harness->atm.PlayResourceSound(104);
    ASSERT_TRUE(waitUntil([&] { return m_audio->isOpen(); }));
    EXPECT_GT(threadCount(), quietThreads) << "the device runs no thread of its own?";
    EXPECT_TRUE(mapped("libSDL2"));
    QElapsedTimer waited;
    waited.start();
    const qint64 graceMs = SdlAudioOut::Grace.count();
    while (m_audio->isOpen() && waited.elapsed() < graceMs + 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(m_audio->isOpen()) << "the device stayed open after the grace";
    EXPECT_GE(waited.elapsed(), graceMs * 19 / 20) << "closed before the grace was over"; // a coarse timer: 5 %
    EXPECT_TRUE(waitUntil([&] {
        QCoreApplication::processEvents();
        return threadCount() == quietThreads;
    })) << "the sound's threads outlived it";

    // The driver starts its output afresh at each open: what it holds now is the next sound alone.
    m_harness->atm.PlayResourceSound(101);
    ASSERT_TRUE(waitUntil([&] { return m_audio->isOpen(); }));
    ASSERT_TRUE(waitForOutput(1.0));
    const Heard h = heard();
    ASSERT_TRUE(h.any) << "the device did not come back for the next sound";
    EXPECT_NEAR(h.span, 0.745, 0.06);
}

namespace {
// A file on a storage that stops answering (a network home, a FUSE mount whose daemon hangs)
// from the byte stallAt on (0: at its open), until the test lets it.
class StalledFile : public QFile
{
public:
    StalledFile(const QString &path, std::shared_future<void> answers, qint64 stallAt = 0)
        : QFile(path)
        , m_answers(std::move(answers))
        , m_stallAt(stallAt)
    {
    }
    bool open(OpenMode mode) override
    {
        if (m_stallAt == 0)
            m_answers.wait();
        return QFile::open(mode);
    }

protected:
    qint64 readData(char *data, qint64 length) override
    {
        if (pos() >= m_stallAt)
            m_answers.wait();
        return QFile::readData(data, length);
    }

private:
    std::shared_future<void> m_answers;
    qint64 m_stallAt;
};
} // namespace

TEST_F(DiskAudio, AFileOnAStorageThatStopsAnsweringHoldsNothingUpAndPilesNothingUp)
{
    const QString path = writeFile(QStringLiteral("far away.wav"), sineWave(1.0));
    std::promise<void> answer;
    const int threadsBefore = threadCount();
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(m_audio->startFile(path, std::make_unique<StalledFile>(path, answer.get_future().share())));
    EXPECT_LT(timer.elapsed(), 100) << "the start waited on the file";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(m_audio->filePlay(), AudioOut::FilePlay::Opening);
    // Every tick of a ring tries again: the first stuck reader is enough.
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(m_audio->startFile(path)) << "a second reader was started beside the stuck one";
    EXPECT_EQ(threadCount(), threadsBefore + 1);

    // Another file, on a storage that answers, still plays.
    const QString near = writeFile(QStringLiteral("near.wav"), sineWave(1.0));
    ASSERT_TRUE(m_audio->startFile(near));
    EXPECT_TRUE(waitUntil([&] { return m_audio->filePlay() == AudioOut::FilePlay::Sounding; }));

    // Chosen while its storage does not answer: the check gives up after a second, and another
    // check of it is refused at once, with no thread beside the stuck one.
    std::promise<void> checkAnswers;
    timer.restart();
    EXPECT_EQ(checked(path, std::make_unique<StalledFile>(path, checkAnswers.get_future().share())), false);
    EXPECT_GE(timer.elapsed(), AudioOut::StorageAnswersWithinMs);
    EXPECT_LT(timer.elapsed(), AudioOut::StorageAnswersWithinMs + 300);
    const int withStuckCheck = threadCount();
    timer.restart();
    EXPECT_EQ(checked(path), false) << "a check was started beside the stuck one";
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_EQ(threadCount(), withStuckCheck);

    // The storage answers again: the reader and the check end.
    m_audio->stop();
    answer.set_value();
    checkAnswers.set_value();
    EXPECT_TRUE(waitUntil([&] { return threadCount() == threadsBefore; })) << "the reader outlived its file";

    // A file whose storage stops answering mid-way is given up once nothing of it is left to hear.
    const QString longer =
        writeFile(QStringLiteral("longer.wav"),
                  waveHeader({1, 2, Rate, 16, 4, {}}, 3 * Rate * 4) + QByteArray(3 * Rate * 4, '\x11'));
    std::promise<void> later;
    ASSERT_TRUE(m_audio->startFile(longer, std::make_unique<StalledFile>(longer, later.get_future().share(), 65536)));
    EXPECT_TRUE(waitUntil([&] { return m_audio->filePlay() == AudioOut::FilePlay::Sounding; }));
    EXPECT_TRUE(waitUntil([&] { return m_audio->filePlay() == AudioOut::FilePlay::Unplayable; }))
        << "a file stuck mid-way was still taken for sounding";
    m_audio->stop();
    later.set_value();
}

namespace {
struct Leftovers
{
    int threads = 0;
    pthread_key_t freeKey = 0; // the lowest key free: a key taken and never given back raises it
    int fileMappings = 0;      // a library loaded again and again; the heap's own come and go
    // What the heap holds for its callers: a leak of even a few bytes a sound shows here. The
    // private dirty memory, which follows it, also rises and falls by hundreds of KiB with how
    // many ended threads' stacks glibc keeps for reuse, and is reported, not judged.
    long long heapInUseBytes = 0;
    int privateDirtyKiB = 0;
};
// One heap for every thread, as the program has it (main.cpp): a leak on a sound's thread shows
// in the heap's count too, where an arena of that thread's own would hide it.
[[maybe_unused]] const int oneArena = mallopt(M_ARENA_MAX, 1);

Leftovers leftovers()
{
    // The program hands the heap's free memory back as each sound thread ends, but a file's
    // reader may end just after: what the heap holds is read with its free memory handed back.
    malloc_trim(0);
    Leftovers now;
    const struct mallinfo2 heap = mallinfo2();
    now.heapInUseBytes = static_cast<long long>(heap.uordblks + heap.hblkhd);
    now.threads = threadCount();
    pthread_key_create(&now.freeKey, nullptr);
    pthread_key_delete(now.freeKey);
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly))
        now.fileMappings = int(maps.readAll().count(" /"));
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (rollup.open(QIODevice::ReadOnly))
        for (const QByteArray &line : rollup.readAll().split('\n'))
            if (line.startsWith("Private_Dirty:"))
                now.privateDirtyKiB = line.simplified().split(' ').value(1).toInt();
    return now;
}
} // namespace

// A program kept running for weeks makes thousands of sounds, each opening the device, its
// threads and the sound stack, and letting them go once quiet (here at once, not after the
// grace): nothing of them may pile up, or the program dies after a thousand rings. Each closing
// waits for SDL's drain of the device, so this takes a minute or two.
TEST_F(DiskAudio, ThousandsOfSoundsLeaveNothingBehind)
{
    int argc = 1;
    char name[] = "soak";
    char *argv[] = {name};
    QCoreApplication app(argc, argv); // the sound thread's end is told to the window thread
    m_harness.reset();
    // The driver's thread writes without waiting for the time its buffers would take to play,
    // so that a close does not wait for it: thousands of sounds in seconds.
    qputenv("SDL_DISKAUDIODELAY", "1");
    m_audio = std::make_unique<SdlAudioOut>(0ms);
    const QByteArray tone = EmbeddedResources().load(104, QStringLiteral("WAVE"));
    const QString file = writeFile(QStringLiteral("short.wav"), sineWave(0.05));
    const auto sound = [&](int cycle) {
        if (cycle % 10 == 0)
            ASSERT_TRUE(m_audio->startFile(file));
        else
            m_audio->playInBackground(tone);
        ASSERT_TRUE(waitUntil([&] { return m_audio->isOpen(); })) << "cycle " << cycle;
        m_audio->stop();
        ASSERT_TRUE(waitUntil([&] {
            QCoreApplication::processEvents();
            return m_audio->quiet();
        })) << "cycle "
            << cycle;
    };
    constexpr int Settling = 50;
#ifdef __SANITIZE_ADDRESS__
    constexpr int Cycles = 200; // here the sanitizers look at each cycle; the count is the main build's
#else
    constexpr int Cycles = 2000;
#endif
    Leftovers first;
    for (int cycle = 0; cycle < Cycles && !HasFatalFailure(); ++cycle) {
        sound(cycle);
        if (cycle == Settling - 1) {
            EXPECT_TRUE(waitUntil([&] { return threadCount() == 1; })); // the readers have ended
            first = leftovers();
        }
    }
    EXPECT_TRUE(waitUntil([&] { return threadCount() == first.threads; })) << threadCount() << " threads";
    const Leftovers last = leftovers();
    const long long heapGrowth = last.heapInUseBytes - first.heapInUseBytes;
    std::printf("after %d sounds, over the first %d: threads %+d, keys %+d, file mappings %+d, heap in use %+lld B,"
                " private dirty %+d KiB\n",
                Cycles, Settling, last.threads - first.threads, int(last.freeKey) - int(first.freeKey),
                last.fileMappings - first.fileMappings, heapGrowth, last.privateDirtyKiB - first.privateDirtyKiB);
    EXPECT_EQ(last.freeKey, first.freeKey) << "thread-local keys leak";
    // The sanitizers' allocator maps and keeps memory of its own as it goes.
#ifndef __SANITIZE_ADDRESS__
    EXPECT_EQ(last.fileMappings, first.fileMappings);
    EXPECT_LT(heapGrowth, 16LL * (Cycles - Settling)) << "the heap keeps 16 bytes or more a sound";
#endif
}

TEST(NoAudioDevice, EveryRoutineIsHarmlessAndQuick)
{
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SdlAudioOut audio;
        EmbeddedResources resources;
        modATM atm(resources, audio);
        FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        ScriptedDialogs dialogs;
        FakeWindowHost window;
        FakeNotifyArea notifyArea;
        FakeRingNotice ringNotice;
        FakeAlarmKeeper keeper;
        FakeSuspendHold suspendHold;
        const AlarmServices services{clock,      dialogs, window,      audio,     atm, notifyArea,
                                     ringNotice, keeper,  suspendHold, QString(), {},  QLocale::c()};
        AlarmMain alarm(services);

        QTemporaryDir dir;
        const QString fine = writeFile(dir, QStringLiteral("fine.wav"), sineWave(1.0));

        QElapsedTimer timer;
        timer.start();
        for (qint16 id = 100; id <= 106; ++id)
            atm.PlayResourceSound(id);
        atm.StopSound();
        // The file is sound; with nothing to hear it on, its play ends rather than waits.
        ASSERT_TRUE(audio.startFile(fine));
        EXPECT_LT(timer.elapsed(), 500);
        EXPECT_FALSE(audio.open());
        EXPECT_FALSE(audio.open()) << "opening again, as every sound does, must stay harmless";
        EXPECT_TRUE(waitUntil([&] { return audio.filePlay() == AudioOut::FilePlay::Ended; }));
        EXPECT_FALSE(atm.soundBytes.isEmpty());
    }
    setenv("SDL_AUDIODRIVER", driver.constData(), 1);
}
