// What a user would hear, through SDL's disk audio driver: every sample the program sends to
// the sound device lands in a file, which these tests read back.
#include "AlarmHarness.h"
#include "WaveBuilder.h"
#include "sound/SdlAudioOut.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <SDL.h>
#include <gtest/gtest.h>
#include <functional>
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
        ASSERT_TRUE(m_audio->open()) << "SDL's disk audio driver did not start: " << SDL_GetError();
        ASSERT_EQ(m_audio->deviceSpec().freq, Rate);
        ASSERT_EQ(m_audio->deviceSpec().channels, 2);
        ASSERT_EQ(m_audio->deviceSpec().format, AUDIO_S16SYS);
        m_harness = std::make_unique<AlarmHarnessWith>(*m_audio);
    }

    // Closes the device, so every sample is in the file, and finds what was heard.
    Heard heard(int threshold = 200)
    {
        m_harness.reset();
        m_audio.reset();
        QFile f(m_output);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
        const qsizetype frames = raw.size() / 4;
        qsizetype first = -1, last = -1;
        for (qsizetype i = 0; i < frames; ++i) {
            if (std::abs(samples[2 * i]) > threshold || std::abs(samples[2 * i + 1]) > threshold) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        Heard h;
        h.any = first >= 0;
        if (h.any) {
            h.start = double(first) / Rate;
            h.span = double(last - first + 1) / Rate;
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
        const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
        const qsizetype frames = raw.size() / 4;
        for (qsizetype i = 0; i < frames; ++i)
            if (std::abs(samples[2 * i]) > threshold || std::abs(samples[2 * i + 1]) > threshold)
                return double(frames - i) / Rate;
        return 0;
    }
    // Waits until the device has played at least this much sound, or this much more output.
    bool waitForSound(double seconds) const { return waitUntil([&] { return soundSoFar() >= seconds; }); }
    bool waitForOutput(double moreSeconds) const
    {
        const double until = writtenSoFar() + moreSeconds;
        return waitUntil([&] { return writtenSoFar() >= until; });
    }
    static bool waitUntil(const std::function<bool()> &done)
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
    // One device buffer (1024 frames), the most a change can wait for the next mix.
    static constexpr double Buffer = 1024.0 / Rate;

    // The alarm's logic over the real sound output.
    struct AlarmHarnessWith
    {
        explicit AlarmHarnessWith(AudioOut &audio)
            : atm(resources, audio)
            , alarm({clock, dialogs, window, audio, atm, notifyArea, QString(), {}, QLocale::c()})
        {
        }
        FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};
        ScriptedDialogs dialogs;
        FakeWindowHost window;
        EmbeddedResources resources;
        modATM atm;
        FakeNotifyArea notifyArea;
        AlarmMain alarm;
    };

    QString writeFile(const QString &name, const QByteArray &bytes) { return ::writeFile(m_dir, name, bytes); }

    QTemporaryDir m_dir;
    QString m_output;
    std::unique_ptr<SdlAudioOut> m_audio;
    std::unique_ptr<AlarmHarnessWith> m_harness;
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
                         [](const auto &info) { return "id" + std::to_string(info.param.id); });

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
    const QString path = writeFile(QStringLiteral("three seconds é.wav"), sineWave(3.0));
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(m_harness->alarm.PlayWave(path));
    EXPECT_NEAR(timer.elapsed() / 1000.0, 3.0, 0.3);
    const Heard h = heard();
    EXPECT_NEAR(h.span, 3.0, 0.06);
}

TEST_F(DiskAudio, FilesThatCannotBeOpenedReturnAtOnceInSilence)
{
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
        EXPECT_FALSE(m_harness->alarm.PlayWave(path)) << path.toStdString();
        EXPECT_LT(timer.elapsed(), 200) << path.toStdString();
    }
    EXPECT_FALSE(heard().any);
}

TEST_F(DiskAudio, ATickDueDuringPlayWaveRunsOnceAfterIt)
{
    int argc = 1;
    char name[] = "tick";
    char *argv[] = {name};
    QCoreApplication app(argc, argv);
    const QString path = writeFile(QStringLiteral("one second.wav"), sineWave(1.0));

    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    qint64 playStart = -1, playEnd = -1;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ticks << clock.elapsed(); });
    tick.start(100);
    QTimer::singleShot(250, [&] {
        playStart = clock.elapsed();
        m_harness->alarm.PlayWave(path);
        playEnd = clock.elapsed();
    });
    QTimer::singleShot(1700, &app, &QCoreApplication::quit);
    app.exec();

    ASSERT_GE(playEnd - playStart, 900);
    int during = 0, justAfter = 0;
    for (qint64 t : ticks) {
        if (t > playStart && t < playEnd)
            ++during;
        if (t >= playEnd && t < playEnd + 60)
            ++justAfter;
    }
    EXPECT_EQ(during, 0);
    EXPECT_EQ(justAfter, 1) << "the missed ticks should come back as one";
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
        AlarmMain alarm({clock, dialogs, window, audio, atm, notifyArea, QString(), {}, QLocale::c()});

        QTemporaryDir dir;
        const QString fine = writeFile(dir, QStringLiteral("fine.wav"), sineWave(1.0));

        QElapsedTimer timer;
        timer.start();
        for (qint16 id = 100; id <= 106; ++id)
            atm.PlayResourceSound(id);
        atm.StopSound();
        EXPECT_FALSE(alarm.PlayWave(fine));
        EXPECT_FALSE(audio.open());
        EXPECT_LT(timer.elapsed(), 500);
        EXPECT_FALSE(atm.soundBytes.isEmpty());
    }
    setenv("SDL_AUDIODRIVER", driver.constData(), 1);
}
