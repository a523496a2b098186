#include "AlarmHarness.h"
#include "WaveBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Selection : testing::Test
{
    Selection() { h.alarm.Form_Load(); }

    QList<int> boldTones() const
    {
        QList<int> bold;
        for (int i = 0; i < int(h.alarm.Label12.size()); ++i)
            if (h.alarm.Label12[i].bold)
                bold << i;
        return bold;
    }

    QString writeFile(const QString &name, const QByteArray &bytes) { return ::writeFile(dir, name, bytes); }

    QTemporaryDir dir;
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
};

} // namespace

TEST_F(Selection, ABuiltInToneIsMarkedStoredAndPreviewedWithAFlash)
{
    EXPECT_EQ(boldTones(), QList<int>{4});
    h.click([&] { h.alarm.Label12_Click(1); });
    EXPECT_EQ(boldTones(), QList<int>{1});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 1);
    ASSERT_EQ(h.audio.tones.size(), 1);
    EXPECT_EQ(h.audio.tones.last(), tone(101));
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);

    h.click([&] { h.alarm.Label12_Click(1); }); // the same again replays and flashes back
    EXPECT_EQ(h.audio.tones.size(), 2);
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::Black);
    EXPECT_EQ(h.alarm.Label7.foreColor, Colors::White);

    for (int i = 0; i < ToneCatalogue::OwnFile; ++i) {
        h.click([&] { h.alarm.Label12_Click(i); });
        EXPECT_EQ(boldTones(), QList<int>{i});
        EXPECT_EQ(h.audio.tones.last(), tone(100 + i));
    }
}

TEST_F(Selection, AnOwnFileIsChosenInTheDialogAndPlayedToItsEnd)
{
    const QByteArray wave = sineWave(0.2);
    const QString path = writeFile(QStringLiteral("my \"tone\" Ünïcödé.wav"), wave);
    h.dialogs.fileAnswers = {path};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });

    EXPECT_EQ(h.dialogs.fileFolders, QStringList{QStringLiteral("/opt/meridane")});
    EXPECT_EQ(boldTones(), QList<int>{7});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 7);
    EXPECT_EQ(h.alarm.state.alarm.userWavePath, path);
    ASSERT_EQ(h.audio.files.size(), 1);
    EXPECT_EQ(h.audio.files.first(), wave);
    EXPECT_TRUE(h.audio.tones.isEmpty());
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);

    // Another tone keeps the file; the eighth entry asks again.
    h.click([&] { h.alarm.Label12_Click(2); });
    EXPECT_EQ(h.alarm.state.alarm.userWavePath, path);
    h.dialogs.fileAnswers = {path};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    EXPECT_EQ(h.dialogs.fileFolders.size(), 2);
    EXPECT_EQ(h.audio.files.size(), 2);
}

TEST_F(Selection, CancellingTheDialogChangesNothing)
{
    const QString path = writeFile(QStringLiteral("first.wav"), sineWave(0.1));
    h.dialogs.fileAnswers = {path};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    h.click([&] { h.alarm.Label12_Click(2); });
    const int tones = h.audio.tones.size();
    const ColorValue back = h.alarm.Label7.backColor;

    h.dialogs.fileAnswers = {std::nullopt};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    EXPECT_EQ(boldTones(), QList<int>{2});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 2);
    EXPECT_EQ(h.alarm.state.alarm.userWavePath, path);
    EXPECT_EQ(h.audio.tones.size(), tones);
    EXPECT_EQ(h.audio.files.size(), 1);
    EXPECT_EQ(h.alarm.Label7.backColor, back);
    EXPECT_TRUE(h.dialogs.messages.isEmpty());
}

TEST_F(Selection, AFileThatCannotBePlayedIsSaidSoAndChangesNothing)
{
    const QString path = writeFile(QStringLiteral("notes.wav"), QByteArray("just some text"));
    h.dialogs.fileAnswers = {path};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::Critical);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("The file \"%1\" cannot be played: it is not a wave file that can be opened.").arg(path));
    EXPECT_EQ(boldTones(), QList<int>{4});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 4);
    EXPECT_TRUE(h.alarm.state.alarm.userWavePath.isEmpty());
    EXPECT_TRUE(h.audio.files.isEmpty());
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::Black);
}

TEST_F(Selection, AToneChosenWhileAFilesCheckIsOutWinsOverItsLateAnswer)
{
    const QString path = writeFile(QStringLiteral("slow storage.wav"), sineWave(0.1));
    h.audio.checks.hold = true;
    h.dialogs.fileAnswers = {path};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    EXPECT_TRUE(h.alarm.state.alarm.userWavePath.isEmpty()) << "taken before its check answered";
    h.click([&] { h.alarm.Label12_Click(2); });
    h.audio.checks.giveHeld();
    EXPECT_EQ(boldTones(), QList<int>{2});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 2);
    EXPECT_TRUE(h.alarm.state.alarm.userWavePath.isEmpty());
    EXPECT_TRUE(h.audio.files.isEmpty());

    // The dialog opened again and cancelled while the check is out: the list marks the tone in force.
    h.dialogs.fileAnswers = {path, std::nullopt};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    h.audio.checks.giveHeld();
    EXPECT_EQ(boldTones(), QList<int>{2});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 2);

    // A file that cannot be played is refused when its answer comes; one that plays becomes the tone.
    for (const bool playable : {false, true}) {
        h.audio.undecodable = playable ? QSet<QString>{} : QSet<QString>{path};
        h.dialogs.fileAnswers = {path};
        h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
        EXPECT_EQ(boldTones(), QList<int>{7}) << "the entry is marked while its check is out";
        h.audio.checks.giveHeld();
        EXPECT_EQ(boldTones(), QList<int>{playable ? 7 : 2});
        EXPECT_EQ(h.audio.files.size(), playable ? 1 : 0);
    }
}

TEST_F(Selection, ADialogThatFailsReportsItsNumberAndDescriptionRunTogether)
{
    h.dialogs.fileError = DialogError{32755, QStringLiteral("The file dialog could not be opened")};
    h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].text, QStringLiteral("32755The file dialog could not be opened"));
    EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::OkOnly);
    EXPECT_EQ(boldTones(), QList<int>{7});
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 4);
    // The preview of whatever file there is (none) still flashes the reminder.
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);
}

TEST_F(Selection, TheReminderIsTakenAsTypedAndCancelKeepsIt)
{
    const QString typed = QStringLiteral("Call <b>Mum</b> & \"Dad\" </Label>");
    h.dialogs.inputAnswers = {typed};
    h.click([&] { h.alarm.Label7_Click(); });
    EXPECT_EQ(h.dialogs.prompts,
              QStringList{
                  QStringLiteral("WRITE A SMALL MESSAGE THAT WILL REMIND YOU THE PURPOSE OF THIS ALARM SETTING")});
    EXPECT_EQ(h.alarm.state.alarm.reminderText, typed);
    EXPECT_EQ(h.alarm.Label7.text, u' ' + typed + u' ');

    h.dialogs.inputAnswers = {std::nullopt};
    h.click([&] { h.alarm.Label7_Click(); });
    EXPECT_EQ(h.alarm.state.alarm.reminderText, typed);
    EXPECT_EQ(h.alarm.Label7.text, u' ' + typed + u' ');

    h.dialogs.inputAnswers = {QString()};
    h.click([&] { h.alarm.Label7_Click(); });
    EXPECT_EQ(h.alarm.state.alarm.reminderText, QStringLiteral(" Click to write a Reminder message "));
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral("  Click to write a Reminder message  "));

    const QString longest(32767, u'ß');
    h.dialogs.inputAnswers = {longest};
    h.click([&] { h.alarm.Label7_Click(); });
    EXPECT_EQ(h.alarm.Label7.text.size(), 32769);
}
