// Entering the alarm's criteria: the mode toggle, the duration rule and the target.
#include "alarm/AlarmMain.h"

#include "toolkit/Clock.h"
#include "toolkit/DateText.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Numbers.h"
#include "toolkit/UserError.h"

#include <algorithm>
#include <limits>

namespace {

// The number in an entry box; a refusal names the box.
qint32 entryNumber(const TextBox &box, const QString &entry)
{
    try {
        return Numbers::textToInt32(box.text);
    } catch (const UserError &e) {
        throw UserError(entry + QStringLiteral(": ") + e.message());
    }
}

void setTimeBoxes(std::array<TextBox, 3> &boxes, QTime time)
{
    boxes[0].text = QString::number(time.hour());
    boxes[1].text = QString::number(time.minute());
    boxes[2].text = QString::number(time.second());
}

} // namespace

void AlarmMain::Orr_Click()
{
    state.alarm.durationSeconds = 0;
    state.alarm.targetDateTime = 0; // midnight of day zero: no target
    state.alarm.targetMoment = 0;
    if (state.alarm.mode == AlarmMode::Duration) {
        state.alarm.mode = AlarmMode::DateTime;
        Text2[0].text = QStringLiteral("0");
        Text2[1].text = QStringLiteral("0");
        Text2[2].text = QStringLiteral("10");
    } else {
        state.alarm.mode = AlarmMode::Duration;
    }
    setTimeBoxes(Text1, m_services.clock.now().time());
    ShowMode();
    Stopp_Click();
}

void AlarmMain::ShowCriteria()
{
    if (state.alarm.mode == AlarmMode::Duration) {
        const qint32 seconds = state.alarm.durationSeconds;
        Text2[0].text = QString::number(seconds / 3600);
        Text2[1].text = QString::number(seconds / 60 % 60);
        Text2[2].text = QString::number(seconds % 60);
        return;
    }
    const QDate date = FloatDates::datePart(state.alarm.targetDateTime);
    setTimeBoxes(Text1, FloatDates::timePart(state.alarm.targetDateTime));
    Combo2[0].selectText(QString::number(date.day()));
    Combo2[1].listIndex = date.month() - 1;
    Combo2[2].selectText(QString::number(date.year()));
}

void AlarmMain::ShowMode()
{
    const bool dateTime = state.alarm.mode == AlarmMode::DateTime;
    Label1.enabled = dateTime;
    Label3.enabled = dateTime;
    Label4.enabled = !dateTime;
    for (int i : {1, 3, 5})
        Label9[i].enabled = dateTime;
    for (TextBox &t : Text1)
        t.enabled = dateTime;
    for (TextBox &t : Text2)
        t.enabled = !dateTime;
}

qint32 AlarmMain::DurationRule() const
{
    const qint32 h = entryNumber(Text2[0], QStringLiteral("The hours of the duration"));
    const qint32 m = entryNumber(Text2[1], QStringLiteral("The minutes of the duration"));
    const qint32 s = entryNumber(Text2[2], QStringLiteral("The seconds of the duration"));
    try {
        using Numbers::checkedAdd, Numbers::checkedMul;
        return checkedAdd(checkedAdd(checkedMul(m, 60), s), checkedMul(h, 3600));
    } catch (const OverflowError &) {
        throw OverflowError(
            QStringLiteral(
                "The duration of %1 h %2 min %3 s is too long: at most %4 seconds (about 68 years) can be set.")
                .arg(h)
                .arg(m)
                .arg(s)
                .arg(std::numeric_limits<qint32>::max()));
    }
}

AlarmMain::Target AlarmMain::ComputeTarget() const
{
    const qint32 h = entryNumber(Text1[0], QStringLiteral("The hour of the alarm time"));
    const qint32 m = entryNumber(Text1[1], QStringLiteral("The minute of the alarm time"));
    const qint32 s = entryNumber(Text1[2], QStringLiteral("The second of the alarm time"));
    // Refused as typed: a fraction rounded up (59.6 to 60) would name a value never typed.
    const QString cannotBeSet = QStringLiteral("The alarm date and time cannot be set: ");
    if (!DateText::isTimeOfDay(h, m, s))
        throw UserError(
            cannotBeSet
            + DateText::notATimeOfDay(Text1[0].text.trimmed(), Text1[1].text.trimmed(), Text1[2].text.trimmed()));
    Target target;
    const FloatDate timeOfDay = (m / 60.0 + h + s / 3600.0) / 24;
    const QString text = Combo2[0].selectedText() + u'/' + Combo2[1].selectedText() + u'/' + Combo2[2].selectedText()
        + u' ' + QString::number(h) + u':' + QString::number(m) + u':' + QString::number(s);
    try {
        target.dateTime = DateText::readDate(m_services.locale, text);
    } catch (const UserError &e) {
        throw UserError(cannotBeSet + e.message());
    }
    target.dateTime = target.dateTime + timeOfDay;
    const std::vector<qint64> passes = FloatDates::moments(target.dateTime);
    if (passes.empty())
        throw UserError(
            QStringLiteral("The alarm time %1 does not exist: the clocks go forward an hour then, and skip it.")
                .arg(DateText::dayMonthYearTime(m_services.locale, target.dateTime)));
    // In the hour the autumn change repeats, the first pass that has not yet come: a time there
    // is past only once both passes are.
    const auto coming = std::find_if(passes.begin(), passes.end(), [&](qint64 pass) { return !IsPast(pass); });
    target.moment = coming != passes.end() ? *coming : passes.front();
    return target;
}

bool AlarmMain::IsPast(qint64 moment) const
{
    return moment < m_services.clock.now().toSecsSinceEpoch();
}

void AlarmMain::RefusePastTarget()
{
    m_services.dialogs.messageBox(QStringLiteral("Alarm can not be Activated in PAST Date/Time values"),
                                  MsgBox::Critical | MsgBox::OkOnly);
}

AlarmMain::Target AlarmMain::ValidateTarget()
{
    const Target target = ComputeTarget();
    if (IsPast(target.moment))
        RefusePastTarget();
    return target;
}
