#include "AlarmHarness.h"
#include "FakeAudioOut.h"
#include "WaveBuilder.h"
#include "sound/Resources.h"
#include "sound/ToneCatalogue.h"
#include "sound/WaveFile.h"
#include "sound/modATM.h"
#include "toolkit/UserError.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray committedTone(int id)
{
    QFile f(QStringLiteral(CHIMEWELL_SOURCE_DIR "/resources/waves/tone-%1.wav").arg(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(ToneCatalogue, EachCaptionPreviewsAndRingsItsOwnResource)
{
    EXPECT_EQ(ToneCatalogue::caption(0), QStringLiteral("[1] Leonardo Vinci Default"));
    EXPECT_EQ(ToneCatalogue::caption(1), QStringLiteral("[2] Jungle Asterisk"));
    EXPECT_EQ(ToneCatalogue::caption(6), QStringLiteral("[7] UnderWater Pop-up"));
    EXPECT_THROW(ToneCatalogue::caption(8), UserError);
    // Index i is resource 100 + i, as the window plays it when clicked and when ringing.
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
    h.alarm.Form_Load();
    for (int i = 0; i < 7; ++i) {
        h.click([&] { h.alarm.Label12_Click(i); });
        ASSERT_FALSE(h.audio.tones.isEmpty()) << i;
        EXPECT_EQ(h.audio.tones.last(), committedTone(100 + i)) << "preview of " << i;
        h.audio.tones.clear();
        h.armDuration(0);
        h.halfSecond();
        ASSERT_FALSE(h.audio.tones.isEmpty()) << i;
        EXPECT_EQ(h.audio.tones.last(), committedTone(100 + i)) << "ring of " << i;
        h.click([&] { h.alarm.Stopp_Click(); });
        h.audio.tones.clear();
    }
}

// Each built-in tone has a wave of its own, and nothing else is stored beside them: a tone added
// to the catalogue takes the next id, which then has to hold its own sound.
TEST(WaveResources, AreTheCommittedWholeWaveFilesOneForEachBuiltInTone)
{
    EmbeddedResources resources;
    QSet<QByteArray> sounds;
    QStringList ids;
    for (int tone = 0; tone < ToneCatalogue::OwnFile; ++tone) {
        const int id = ToneCatalogue::resourceId(tone);
        const QByteArray bytes = resources.load(id, QStringLiteral("WAVE"));
        EXPECT_EQ(bytes, committedTone(id)) << id;
        EXPECT_TRUE(isWholeWaveFile(bytes)) << id;
        sounds.insert(bytes);
        ids << QString::number(id);
    }
    EXPECT_EQ(sounds.size(), ToneCatalogue::OwnFile) << "two tones play the same sound";
    EXPECT_EQ(QDir(QStringLiteral(":/WAVE")).entryList(QDir::Files, QDir::Name), ids)
        << "a stored sound no tone reaches";
    EXPECT_THROW(resources.load(ToneCatalogue::resourceId(ToneCatalogue::OwnFile - 1) + 1, QStringLiteral("WAVE")),
                 UserError);
    EXPECT_THROW(resources.load(100, QStringLiteral("ICON")), UserError);
}

TEST(modATM, PlaysTheResourceAndKeepsOneTonesBytes)
{
    EmbeddedResources resources;
    FakeAudioOut audio;
    modATM atm(resources, audio);
    EXPECT_TRUE(atm.soundBytes.isEmpty());
    atm.StopSound(); // nothing playing: harmless
    EXPECT_EQ(audio.stops, 1);

    for (qint16 id = 100; id < 100 + ToneCatalogue::OwnFile; ++id) {
        atm.PlayResourceSound(id);
        EXPECT_EQ(audio.tones.last(), committedTone(id));
        EXPECT_EQ(atm.soundBytes, committedTone(id));
    }
    for (int i = 0; i < 1000; ++i)
        atm.PlayResourceSound(qint16(100 + i % ToneCatalogue::OwnFile));
    EXPECT_EQ(atm.soundBytes, committedTone(100 + 999 % ToneCatalogue::OwnFile));

    atm.StopSound();
    EXPECT_FALSE(audio.sounding);
    EXPECT_EQ(atm.soundBytes, committedTone(100 + 999 % ToneCatalogue::OwnFile)); // stop keeps the bytes
}

TEST(modATM, AToneThatCannotBeLoadedLeavesTheSoundingOneAlone)
{
    EmbeddedResources resources;
    FakeAudioOut audio;
    modATM atm(resources, audio);
    atm.PlayResourceSound(101);
    EXPECT_THROW(atm.PlayResourceSound(108), UserError);
    EXPECT_EQ(atm.soundBytes, committedTone(101));
    EXPECT_EQ(audio.tones.size(), 1);
}

TEST(WaveFileCheck, RefusesWhatIsNotAWholeWaveFile)
{
    const QByteArray good = sineWave(0.1);
    ASSERT_TRUE(isWholeWaveFile(good));

    QByteArray emptyData = sineWave(0.0);
    QByteArray shortFormat = good;
    shortFormat[16] = 8; // "fmt " chunk of 8 bytes
    QByteArray noChannels = good;
    noChannels[22] = 0;
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");

    const std::pair<const char *, QByteArray> bad[] = {
        {"empty", QByteArray()},
        {"header only", good.left(12)},
        {"ogg", QByteArray("OggS\0\x02\0\0\0\0\0\0\0\0", 14) + QByteArray(200, 'x')},
        {"riff of another kind", notWave},
        {"truncated", good.left(good.size() - 10)},
        {"empty data chunk", emptyData},
        {"format chunk too short", shortFormat},
        {"no channels", noChannels},
        {"data before format", good.left(12) + good.mid(36)},
        {"chunk size beyond the end", good.left(40) + QByteArray("\xff\xff\xff\xff", 4) + good.mid(44)},
    };
    for (const auto &[name, bytes] : bad)
        EXPECT_FALSE(isWholeWaveFile(bytes)) << name;
}

// What a chooser's file could hold to cost the program gigabytes or seconds at every play: a
// format chunk claiming a gibibyte (the file sparse, so it is really there), or thousands of
// empty chunks before the sound. Real files' handful of chunks still pass.
TEST(WaveFileCheck, RefusesChunksNoPlayableFileNeeds)
{
    QTemporaryDir dir;
    const QByteArray good = sineWave(0.1); // RIFF header, "fmt " of 16 bytes, data
    const auto withChunks = [&](int count) {
        QByteArray bytes = good.left(36);
        for (int i = 0; i < count; ++i)
            bytes += QByteArray("JUNK\0\0\0\0", 8);
        return bytes + good.mid(36);
    };
    EXPECT_TRUE(isWholeWaveFile(withChunks(20)));
    EXPECT_FALSE(isWholeWaveFile(withChunks(10000)));

    const qint64 claimed = qint64(1) << 30;
    QByteArray huge = good.left(16);
    char le[4];
    qToLittleEndian(quint32(claimed), le);
    huge += QByteArray(le, 4) + good.mid(20, 16);
    const QString path = writeFile(dir, QStringLiteral("huge format.wav"), huge);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(20 + claimed));
    file.write(good.mid(36)); // the data chunk after the format, where its size says
    file.close();
    EXPECT_FALSE(readWaveLayout(path));
}

TEST(WaveFileCheck, FindsTheSoundOfRegularReadableWaveFilesOnly)
{
    QTemporaryDir dir;
    const QByteArray wave = sineWave(0.2);
    for (const QString &name : {QStringLiteral("plain.wav"), QStringLiteral("with blanks and Ünïcödé ß.wav")}) {
        const std::optional<WaveLayout> layout = readWaveLayout(writeFile(dir, name, wave));
        ASSERT_TRUE(layout) << name.toStdString();
        // The data chunk's place, found from the headers: the sound is the file's last bytes.
        EXPECT_EQ(layout->dataOffset + layout->dataSize, wave.size());
        EXPECT_EQ(layout->rate, 22050u);
        EXPECT_EQ(layout->channels, 1);
        EXPECT_EQ(layout->format, wave.mid(20, 16));
    }

    EXPECT_FALSE(readWaveLayout(QString()));
    EXPECT_FALSE(readWaveLayout(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(readWaveLayout(dir.path()));
    QDir(dir.path()).mkdir(QStringLiteral("folder.wav"));
    EXPECT_FALSE(readWaveLayout(dir.filePath(QStringLiteral("folder.wav"))));
    EXPECT_FALSE(readWaveLayout(QStringLiteral("/dev/zero")));
    const QString fifo = dir.filePath(QStringLiteral("pipe.wav"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(readWaveLayout(fifo)); // must not block
    EXPECT_FALSE(
        readWaveLayout(writeFile(dir, QStringLiteral("song.wav"), QByteArray("OggS") + QByteArray(500, '\0'))));
    EXPECT_FALSE(readWaveLayout(writeFile(dir, QStringLiteral("cut.wav"), wave.left(wave.size() / 2))));

    if (geteuid() != 0) { // root reads any file, so only a user can meet an unreadable one
        const QString locked = writeFile(dir, QStringLiteral("locked.wav"), wave);
        QFile::setPermissions(locked, QFileDevice::Permissions());
        EXPECT_FALSE(readWaveLayout(locked));
    }
}
