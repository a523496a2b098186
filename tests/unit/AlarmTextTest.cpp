#include "alarm/Alarm.h"

#include <gtest/gtest.h>

namespace {

Alarm dateAlarm()
{
    // Blanks, a backslash and line breaks in the user's words, and a fraction in the target.
    return Alarm{AlarmMode::DateTime,
                 0,
                 46366.4583449074,
                 1765400000,
                 1765390000,
                 7,
                 QStringLiteral("/home/ann/My Tones/bell \\ 2.wav"),
                 QStringLiteral(" Tea\r\nand \\n cake ")};
}

} // namespace

TEST(AlarmText, BothModesReadBackAsWritten)
{
    const Alarm duration{AlarmMode::Duration, 600, 0, 0, 1765390000, 4, QString(), QStringLiteral("Tea")};
    for (const Alarm &alarm : {duration, dateAlarm()}) {
        const std::optional<Alarm> read = alarmFromText(alarmText(alarm));
        ASSERT_TRUE(read.has_value()) << alarmText(alarm).toStdString();
        EXPECT_EQ(*read, alarm) << alarmText(alarm).toStdString();
    }
}

TEST(AlarmText, DamagedForeignOrNewerTextsAreRefused)
{
    const QString good = alarmText(dateAlarm());
    const auto with = [&good](const QString &from, const QString &to) { return QString(good).replace(from, to); };
    const QStringList bad = {
        QString(),
        QStringLiteral("[Desktop Entry]\nName=Tea\n"),
        good.left(good.size() / 2), // cut short by a full disk
        good.chopped(1),            // its last line break lost
        good + QStringLiteral("snooze 600\n"),
        with(QStringLiteral("alarm 1\n"), QStringLiteral("alarm 2\n")),
        with(QStringLiteral("mode date-time"), QStringLiteral("mode weekly")),
        with(QStringLiteral("tone 7"), QStringLiteral("tone 8")),
        with(QStringLiteral("tone 7"), QStringLiteral("tone -1")),
        with(QStringLiteral("seconds 0"), QStringLiteral("seconds 2147483648")),
        with(QStringLiteral("seconds 0"), QStringLiteral("seconds -5")),
        with(QStringLiteral("due 1765400000"), QStringLiteral("due 17654x0000")),
        with(QStringLiteral("target 46366"), QStringLiteral("target nan46366")),
        with(QStringLiteral("bell \\\\ 2"), QStringLiteral("bell \\q 2")), // an escape that means nothing
        with(QStringLiteral("cake "), QStringLiteral("cake \\")),
        with(QStringLiteral("seconds"), QStringLiteral("second")),
    };
    for (const QString &text : bad)
        EXPECT_FALSE(alarmFromText(text).has_value()) << text.toStdString();
}
