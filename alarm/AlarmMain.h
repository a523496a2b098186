#pragma once

#include "alarm/AlarmState.h"
#include "sound/PlayWave.h"
#include "sound/ToneCatalogue.h"
#include "toolkit/Controls.h"
#include "tray/TrayIcon.h"

#include <QLocale>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class AlarmKeeper;
class AudioOut;
class Clock;
class Dialogs;
class NotifyArea;
class RingNotice;
class SuspendHold;
class WindowHost;
class modATM;

// What the alarm window reaches outside itself.
struct AlarmServices
{
    const Clock &clock;
    Dialogs &dialogs;
    WindowHost &window;
    AudioOut &audio;
    modATM &atm; // the built-in tones
    NotifyArea &notifyArea;
    RingNotice &ringNotice;
    AlarmKeeper &keeper;
    SuspendHold &suspendHold;
    QString programFolder;                 // where the program's executable lies: the file dialog starts there
    std::function<void()> showProgramInfo; // opens the product information window
    QLocale locale;                        // the user's language, for month names and date formats
    // Waits while the own file plays (the dispatcher's rule lets Stop and the exits through).
    // Without one, a file is not waited for.
    WaitWhilePlaying waitWhilePlaying = {};
    // Runs a late answer to a question a handler asked (the tray host, an own file's check) as
    // an event of the window's: behind a box, and after a sound playing to its end. Without one,
    // at once.
    std::function<void(const std::function<void()> &)> whenAnswered = {};
};

// The alarm window: its state record, its controls as plain fields named as the controls
// are, and its handlers. A view mirrors the fields onto widgets and routes events here.
// Its member functions are defined in the files of alarm/ named beside them.
class AlarmMain
{
public:
    explicit AlarmMain(AlarmServices services);

    AlarmState state;
    TrayIcon trayIcon;

    // --- controls ---
    Label Label15, Label16;         // "Current Date :" and today's date
    Label Label5;                   // "Current Time :"
    std::array<Label, 6> Label2;    // clock digits 0-2, unit captions 5 "Hr:", 4 "min:", 3 "sec"
    Label Label4, Label3, Label1;   // mode markers "Duration", "Set Time"; "< Set Time >"
    std::array<Label, 6> Label9;    // "H", "H", "M", "M", "S", "S": even duration, odd time of day
    std::array<TextBox, 3> Text2;   // duration hours, minutes, seconds
    std::array<TextBox, 3> Text1;   // time of day hours, minutes, seconds
    Label Label13;                  // "Set Alarm Date"
    std::array<ComboBox, 3> Combo2; // day, month, year
    CommandButton Orr, OK, Stopp;
    Label Label18, Label10, Label11;                 // "Duration in sec", seconds set, seconds passed
    std::array<Label, 3> Label6;                     // 0 the website line, 2 seconds remaining (1 is not used)
    std::array<Label, 2> Label14;                    // "Remaining sec", "Passed sec"
    Label Label8;                                    // the armed target
    Label Label7;                                    // the reminder
    Label Label17;                                   // "Select Alarm Sound"
    std::array<Label, ToneCatalogue::Count> Label12; // the tone captions
    Timer Timer1, Timer2, Timer3, Timer4;
    Image ImgHide, Image5;
    Label Label19, Label20, Exitz;
    PictureBox Picture1;
    MenuItem MenuVisible, dash, ExitAlarm; // the icon's pop-up menu
    std::array<Image, 2> Image1;           // the information strips
    Image Image2, Image4;                  // a picture and the banner; both open the information window

    // --- start-up and clock (alarm/StartUp.cpp) ---
    void Form_Load();
    void LoadMonths();
    void Timer2_Timer();

    // --- criteria (alarm/Criteria.cpp) and arming (alarm/Arming.cpp) ---
    void Orr_Click();
    void OK_Click();

    // --- tone and reminder (alarm/Selection.cpp) ---
    void Label12_Click(int Index);
    void Label7_Click();

    // --- hide, show, the icon's blink and menu, and exit (alarm/Visibility.cpp) ---
    void Timer4_Timer();
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void ToggleAlarmWindow();
    void ImgHide_Click();
    void Label19_Click();
    void Image5_Click();
    void MenuVisible_Click();
    void Exitz_Click();
    void Label20_Click();
    void Picture1_Click();
    void ExitAlarm_Click();
    void Form_Terminate();
    // Puts the window on the screen, normal and with the keyboard focus, as the user asked (the
    // toggle's show, the ring's notification, a second start of the program).
    void ShowAlarmWindow();
    // The icon's pop-up menu, in its order: the one list both kinds of notification area show.
    std::vector<const MenuItem *> PopupItems() const { return {&MenuVisible, &dash, &ExitAlarm}; }
    void PopupItem_Click(int index); // the item at that place in PopupItems() was chosen

    // --- the information images (alarm/InfoOpeners.cpp) ---
    void Image1_Click(int Index);
    void Image2_Click();
    void Image4_Click();

    // --- countdown, ringing and stop (alarm/Countdown.cpp) ---
    void Timer1_Timer();
    void Timer3_Timer();
    void Stopp_Click();
    // The notification's "Snooze 10 minutes": the ring stops as at Stop, and the same reminder and
    // tone are armed at once as a duration of SnoozeSeconds, without the summary.
    void SnoozeRing();

    // --- the alarm across sleep and ends (alarm/Keeping.cpp) ---
    // Takes up an alarm an earlier run kept, unless one is armed already.
    void RestoreAlarm(const Alarm &kept);
    // The machine woke from a suspend: an alarm that fell due meanwhile rings now.
    void Woken();
    // The window was closed through its frame: the user ended the program, nothing is kept.
    void Form_Unload();

private:
    void StopRing();                 // Stop's work on the ring and the counters; what is kept follows apart
    void initialiseControls();       // the load state of every control (alarm/AlarmMain.cpp)
    void initialiseTimeControls();   // the clock, the duration's and the time's boxes, the date lists
    void initialiseArmingControls(); // the buttons, the counters, the reminder and the timers
    void initialiseToneList();
    void initialiseWaysOut(); // hide, exit, the icon's menu and the pictures that lead to the maker
    void initialiseBoldCaptions();

    // Ring steps, also the tone previews: sound the tone, then flash the reminder once.
    void PlayToneAndFlash();
    // At a ring, a file that cannot be played gives way to the default built-in tone.
    enum class WhenUnplayable { Silence, DefaultTone };
    void PlayWaveAndFlash(WhenUnplayable fallback = WhenUnplayable::Silence);
    void FlashReminder();
    void EndRing(); // the ring is over: its notification goes with it
    // The reminder as typed; with none, when the alarm is due.
    static QString RingNoticeText(const Alarm &alarm);
    static QString WrittenReminder(const Alarm &alarm); // trimmed; empty when none was written

    bool m_ringing = false;         // the alarm armed last has rung at least once
    bool m_askingIconShown = false; // Hide waits for the notification area's answer
    // The armed alarm is kept, and suspend held off, exactly while one is armed.
    void SyncKept();
    std::optional<Alarm> m_kept; // what the keeper holds
    void ShowCriteria();         // the boxes and lists say what the alarm holds
    void ShowReminder();         // the reminder's label says the alarm's reminder
    void OpenProgramInfo();

    // Chooses the own file in the dialog; it becomes the tone once its check says it plays.
    void ChooseOwnWave();
    void MarkTone(int index);  // the tone list marks this tone alone
    quint64 m_toneChoices = 0; // a check's answer counts only if no tone was chosen since
    void Answered(const std::function<void()> &handler);

    // Seconds of the duration boxes, h × 3600 + m × 60 + s; throws on text or overflow.
    qint32 DurationRule() const;
    // A date-and-time target, worked out from the lists and the time boxes; throws on a text
    // that does not read, a day that does not exist, or a time the clocks skip.
    struct Target
    {
        FloatDate dateTime = 0;
        qint64 moment = 0; // the instant it falls due (in an hour that comes twice, the first pass not yet come)
    };
    Target ComputeTarget() const;
    Target ValidateTarget();          // tells the user when the target lies in the past
    bool IsPast(qint64 moment) const; // before the current second
    void RefusePastTarget();
    // Arming in either mode: the summary, the answer, and the attempt adopted when it should be.
    void ArmDuration(bool alreadyArmed);
    void ArmDateTime(bool alreadyArmed);
    // Shows the summary, the attempt adopted before it unless an alarm is armed; the answer, or
    // nothing when an armed alarm's attempt was declined (that alarm goes on untouched).
    std::optional<int> ConfirmAttempt(const QString &summaryHead, bool alreadyArmed,
                                      const std::function<void()> &adopt);
    // An arming attempt's criteria and its total become the alarm's.
    void AdoptDuration(qint32 duration);
    void AdoptTarget(const Target &target, qint64 total);
    void StartCounters(qint64 total); // the seconds set, and none passed yet
    void ShowCounters();              // the counters' captions, from state.counters
    void ShowMode();                  // which boxes and markers are live, from state.alarm.mode
    void RecordAnswer(int answer);
    void FinishDateTime();
    void FinishDuration();
    void TickOnWholeSeconds(); // the countdown's ticks fall just after the wall clock's

    AlarmServices m_services;
};
