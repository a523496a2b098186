#include "AlarmHarness.h"

AlarmHarness::AlarmHarness(QDateTime start, QLocale locale, AudioOut *realAudio)
    : clock(std::move(start))
    , output(realAudio ? *realAudio : audio)
    , alarm({clock, dialogs, window, output, atm, notifyArea, ringNotice, keeper, suspendHold,
             QStringLiteral("/opt/meridane"), [this] { ++infoRequests; }, std::move(locale),
             [this, real = realAudio != nullptr](const std::function<bool()> &done) {
                 if (waitWhilePlaying)
                     waitWhilePlaying(done);
                 else if (real)
                     dispatcher.waitWhilePlaying(done);
             },
             [this](const std::function<void()> &answered) { dispatcher.run(Dispatcher::Kind::Tick, answered); }})
{
}

void AlarmHarness::armDuration(int seconds)
{
    if (alarm.state.alarm.mode == AlarmMode::DateTime)
        click([this] { alarm.Orr_Click(); });
    alarm.Text2[0].text = QStringLiteral("0");
    alarm.Text2[1].text = QStringLiteral("0");
    alarm.Text2[2].text = QString::number(seconds);
    confirmArming();
}

void AlarmHarness::armDateTime(const QDateTime &target)
{
    if (alarm.state.alarm.mode == AlarmMode::Duration)
        click([this] { alarm.Orr_Click(); });
    alarm.Combo2[0].selectText(QString::number(target.date().day()));
    alarm.Combo2[1].listIndex = target.date().month() - 1;
    alarm.Combo2[2].selectText(QString::number(target.date().year()));
    alarm.Text1[0].text = QString::number(target.time().hour());
    alarm.Text1[1].text = QString::number(target.time().minute());
    alarm.Text1[2].text = QString::number(target.time().second());
    confirmArming();
}

void AlarmHarness::confirmArming()
{
    const qsizetype before = dialogs.messages.size();
    dialogs.messageAnswers = {MsgBox::Yes};
    click([this] { alarm.OK_Click(); });
    // The summary, answered Yes, and nothing else: a refusal would mean the test set up wrong.
    EXPECT_EQ(dialogs.messages.size(), before + 1) << "arming showed more than its summary";
    EXPECT_EQ(alarm.state.alarmArmed, FlagTrue) << "OK and Yes did not arm";
    dialogs.messages.remove(before, dialogs.messages.size() - before);
}

void AlarmHarness::halfSecond()
{
    halfSeconds += 1;
    clock.advanceMs(TickMs);
    if (alarm.Timer1.interval > 0)
        dispatcher.run(
            Dispatcher::Kind::Tick, [this] { alarm.Timer1_Timer(); }, &alarm.Timer1);
    if (alarm.Timer3.interval > 0)
        dispatcher.run(
            Dispatcher::Kind::Tick, [this] { alarm.Timer3_Timer(); }, &alarm.Timer3);
}

void AlarmHarness::click(const std::function<void()> &handler)
{
    dispatcher.run(Dispatcher::Kind::UserEvent, handler);
}
