#pragma once

#include "FakeAudioOut.h"
#include "QtPrinters.h"
#include "FakeClock.h"
#include "FakeKeeping.h"
#include "FakeNotifyArea.h"
#include "FakeRingNotice.h"
#include "FakeWindowHost.h"
#include "ScriptedDialogs.h"
#include "alarm/AlarmMain.h"
#include "sound/Resources.h"
#include "sound/modATM.h"
#include "toolkit/Dispatcher.h"

#include <functional>
#include <gtest/gtest.h>

// The line break of every text the program shows: the boxes', the tip's and the catalogue's.
inline const QString CrLf = QStringLiteral("\r\n");

// A built-in tone's wave, as the program's resources hold it.
inline QByteArray tone(int id)
{
    return EmbeddedResources().load(id, QStringLiteral("WAVE"));
}

// The alarm window's logic with fake surroundings, as every alarm test needs it; the sound tests
// give it the real sound output instead of the fake one, and an own file's play is waited for.
struct AlarmHarness
{
    explicit AlarmHarness(QDateTime start, QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates),
                          AudioOut *realAudio = nullptr);

    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeWindowHost window;
    FakeAudioOut audio;
    AudioOut &output; // the fake above, or the real output given
    EmbeddedResources resources;
    modATM atm{resources, output};
    FakeNotifyArea notifyArea;
    FakeRingNotice ringNotice;
    FakeAlarmKeeper keeper;
    FakeSuspendHold suspendHold;
    AlarmMain alarm;

    // A click as the window delivers it: an error that escapes is shown in an error box.
    void click(const std::function<void()> &handler);
    Dispatcher dispatcher{[this](const QString &m) { dialogs.messageBox(m, MsgBox::Critical); }};

    // Arms the alarm as a user does: the criteria typed in, OK, and Yes in the summary.
    void armDuration(int seconds);
    void armDateTime(const QDateTime &target);
    void confirmArming();
    // One half-second step: real time and, at each whole second, the wall clock move on; then
    // the countdown's two ticks run through the dispatcher (behind a box, when one is open).
    void halfSecond();
    int halfSeconds = 0;
    // How an own file's play is waited for, where a test says so; else the real output's is
    // waited for in the event loop and the fake's not at all.
    std::function<void(const std::function<bool()> &done)> waitWhilePlaying;
    int infoRequests = 0; // times the information window was asked for
};
