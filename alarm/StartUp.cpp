// Start-up, the date lists and the live clock.
#include "alarm/AlarmMain.h"

#include "sound/ToneCatalogue.h"
#include "toolkit/Clock.h"
#include "toolkit/DateText.h"
#include "toolkit/WindowHost.h"

namespace {
// The year list ends here; later years can still be chosen while they are the current one.
constexpr int LastListedYear = 2079;
} // namespace

void AlarmMain::Form_Load()
{
    LoadMonths();
    state.alarm.reminderText = ReminderPlaceholder.trimmed();
    state.alarm.toneIndex = ToneCatalogue::DefaultTone;
    Label16.text = DateText::dayMonthYear(m_services.locale, m_services.clock.now().date());
    m_services.window.show();
}

void AlarmMain::LoadMonths()
{
    // Each list reads the date afresh, as the moment of use.
    ComboBox &months = Combo2[1];
    for (int m = 1; m <= 12; ++m)
        months.items << DateText::monthName(m_services.locale, m);
    months.listIndex = m_services.clock.now().date().month() - 1;

    ComboBox &days = Combo2[0];
    for (int d = 1; d <= 31; ++d)
        days.items << QString::number(d);
    days.listIndex = m_services.clock.now().date().day() - 1;

    ComboBox &years = Combo2[2];
    const int thisYear = m_services.clock.now().date().year();
    for (int y = thisYear; y <= std::max(thisYear, LastListedYear); ++y)
        years.items << QString::number(y);
    years.selectText(QString::number(thisYear));
}

void AlarmMain::Timer2_Timer()
{
    const QDateTime now = m_services.clock.now();
    Label2[0].text = DateText::twoDigits(now.time().hour());
    Label2[1].text = DateText::twoDigits(now.time().minute());
    Label2[2].text = DateText::twoDigits(now.time().second());
    Label16.text = DateText::dayMonthYear(m_services.locale, now.date());
}
