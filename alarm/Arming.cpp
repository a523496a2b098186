// Arming: the summary, the confirmation, and the hand-over to the countdown and the icon.
#include "alarm/AlarmMain.h"

#include "toolkit/Clock.h"
#include "toolkit/DateText.h"
#include "toolkit/Dialogs.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString tipSecondLine()
{
    return CrLf + QStringLiteral("Right Click to check status.") + QChar(0);
}

} // namespace

QString AlarmMain::SummaryTail() const
{
    return CrLf + QStringLiteral("Alarm Tone : ") + Label12[state.toneIndex].text + CrLf + QStringLiteral("Message : ")
        + Label7.text + CrLf + CrLf + QStringLiteral("Would you like to go ahead with these selections?");
}

void AlarmMain::OK_Click()
{
    Timer1.interval = 500;
    if (!Label3.enabled) {
        state.durationSeconds = DurationRule();
        Label10.text = u' ' + QString::number(state.durationSeconds) + u' ';
        Label11.text = QStringLiteral("0");
        const QString summary = QStringLiteral("Your selection is ...") + CrLf + CrLf + QStringLiteral("Duration : ")
            + QString::number(state.durationSeconds) + QStringLiteral(" sec") + SummaryTail();
        RecordAnswer(m_services.dialogs.messageBox(summary, MsgBox::Information | MsgBox::YesNoCancel));
        if (state.alarmArmed == FlagTrue) {
            Timer3.interval = 500;
            FinishDuration();
        }
        return;
    }

    ValidateTarget();
    if (TargetIsPast())
        return;
    const FloatDate now = FloatDates::fromDateTime(m_services.clock.now());
    Label10.text = u' ' + QString::number(FloatDates::secondsBetween(now, state.targetDateTime)) + u' ';
    Label11.text = QStringLiteral("0");
    const QString summary = QStringLiteral("You Selection is ...") + CrLf + CrLf + QStringLiteral("Date & Time :")
        + DateText::dayMonthYearTime(m_services.locale, state.targetDateTime) + SummaryTail();
    RecordAnswer(m_services.dialogs.messageBox(summary, MsgBox::Information | MsgBox::YesNoCancel));
    if (state.alarmArmed != FlagTrue)
        return;
    if (TargetIsPast()) {
        // Yes came after the moment itself: an alarm set for the past is refused, as before the box.
        state.alarmArmed = FlagFalse;
        Label8.visible = false;
        m_services.dialogs.messageBox(QStringLiteral("Alarm can not be Activated in PAST Date/Time values"),
                                      MsgBox::Critical | MsgBox::OkOnly);
        return;
    }
    FinishDateTime();
}

void AlarmMain::RecordAnswer(int answer)
{
    if (answer == MsgBox::No || answer == MsgBox::Cancel) {
        state.alarmArmed = FlagFalse;
    } else {
        state.alarmArmed = FlagTrue;
        Label7.text = u' ' + state.reminderText + u' ';
        m_ringing = false;
    }
    state.armedAt = FloatDates::fromDateTime(m_services.clock.now());
}

void AlarmMain::FinishDateTime()
{
    Timer3.interval = 500;
    const QString target = DateText::defaultText(m_services.locale, state.targetDateTime);
    state.trayTipText = QStringLiteral("Alarm Set at: ") + target + tipSecondLine();
    RemoveTrayIcon();
    AddTrayIcon();
    Label8.visible = true;
    Label8.text = u' ' + target + u' ';
}

void AlarmMain::FinishDuration()
{
    state.trayTipText = QStringLiteral("Alarm Setting duration : ") + QString::number(state.durationSeconds)
        + QStringLiteral(" sec") + tipSecondLine();
    RemoveTrayIcon();
    AddTrayIcon();
    Label8.visible = false;
    Label8.text = QString();
}
